"""The tally of an oracle check: each answer against the one wanted, the first ten that
differ printed, and the exit code at the end."""


class Tally:
    def __init__(self):
        self.checked = 0
        self.failed = 0

    def expect(self, args, wanted, actual):
        self.checked += 1
        if wanted != actual:
            self.failed += 1
            if self.failed <= 10:
                print(f"zentrel -q {' '.join(args)}: {actual!r} instead of {wanted!r}")

    def finish(self):
        """Prints the counts; 1 when an answer differed, else 0."""
        print(f"{self.checked - self.failed} passed, {self.failed} failed")
        return 1 if self.failed else 0
