# The two commands of the README, the release package, the fuzzer, the long-session soak and
# the bench.
.PHONY: test run dist fuzz soak bench deps build

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

bench: deps
	@scripts/bench.sh
