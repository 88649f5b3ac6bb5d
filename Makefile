# The two commands of the README, the release package, the fuzzer and the long-session soak.
.PHONY: test run dist fuzz soak deps build

deps:
	@scripts/install-deps.sh

build: deps
	@scripts/build.sh

test: build
	@scripts/test.sh

run: deps
	@scripts/run.sh

dist: deps
	@scripts/dist.sh

fuzz: deps
	@scripts/fuzz.sh $(FUZZ_ARGS)

soak: deps
	@scripts/soak.sh $(ROUNDS)
