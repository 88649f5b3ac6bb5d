# The two commands of the README, and the fuzzer.
.PHONY: test run fuzz deps build

deps:
	@scripts/install-deps.sh

build: deps
	@scripts/build.sh

test: build
	@scripts/test.sh

run: deps
	@scripts/run.sh

fuzz: deps
	@scripts/fuzz.sh $(FUZZ_ARGS)
