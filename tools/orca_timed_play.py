"""Plays a game of Kelvo at its own swap period the way a blind player who
waits for Orca to finish the square does, and times every round.

It reads what Orca sends to speech-dispatcher from speech-dispatcher's log
at level 5, which is written line by line as things happen: each message's
text, with Orca's mark before every word, and the moment each mark is
reached in the sound played, and when each message ends.  (Orca's own debug
file comes in blocks of some 8 KiB, seconds late.)  For each round it
presses Enter, takes the square from the first message after it that holds
one, waits until the square's last digit has been played and nothing else is
waiting to be said, then types the swap that makes the square magic, and
reads the outcome from what Orca says next.

  orca_timed_play.py SPEECHD_LOG [--period SECONDS] [--rounds N]

Run by tools/check-orca --timed, which starts the X server, the buses, the
sound server, speech-dispatcher, Orca and the game with its window focused.
Prints one line a round and a summary; exits 0 when every round was played
(whether the swap came in time is what it measures, not a failure), 1 when
a round's square was never heard.
"""

import argparse
import html
import re
import statistics
import subprocess
import sys
import time

from screen_reader_play import magic_swap

# speech-dispatcher's log line: "[Wed Dec  9 22:18:13 2026 : 663244] speechd: ..."
STAMP = re.compile(r"^\[(\w{3} \w{3} +\d+ \d\d:\d\d:\d\d \d{4}) : (\d+)\] speechd: +(.*)$")
QUEUED = re.compile(r"^Queueing message \|(.*)\| with priority \d+$")
REPLY = re.compile(r"REPLY:\|(\d{3})-(\d+)$")
MARK = re.compile(r"^INDEX MARK: (\S+)$")
# Nine single digits in a row ("8 1 6; 3 5 7; 4 9 2"), found wherever they
# start (a round's number may come just before them).
NINE_DIGITS = re.compile(r"(?=((?<!\d)[1-9](?:[ ;,.]+[1-9]){8}(?!\d)))")


def find_square(text):
    """The span of the first nine digits in `text` that are 1 to 9 once
    each, or None."""
    for match in NINE_DIGITS.finditer(text):
        digits = re.findall(r"[1-9]", match.group(1))
        if sorted(digits) == list("123456789"):
            return match.start(1), match.end(1)
    return None


class Message:
    def __init__(self, ssml, queued):
        self.queued = queued
        self.word_starts = []
        self.text = ""
        # Orca puts <mark name="START:END"/> before each word, START and END
        # being offsets in the text it spoke.
        for match in re.finditer(r'<mark name="(\d+):(\d+)"/>|<[^>]*>|([^<]+)', ssml):
            if match.group(1):
                self.word_starts.append(int(match.group(1)))
            elif match.group(3):
                self.text += html.unescape(match.group(3))
        self.reached = {}  # mark name -> time
        self.begun = None
        self.ended = None
        self.cut = False

    def plain(self):
        return self.text.strip()


class SpeechLog:
    """speech-dispatcher's log, read as it grows."""

    def __init__(self, path):
        self.file = open(path, "rb")
        self.messages = {}  # id -> Message
        self.order = []
        self.pending = None
        self.last_mark = None
        self.playing = None
        self.lateness = []  # how long after it was written each line was read
        self.live = False  # set once what was there before has been read

    def stamp(self, date, micros):
        logged = time.mktime(time.strptime(date, "%a %b %d %H:%M:%S %Y")) + int(micros) / 1e6
        if not self.live:
            return logged
        now = time.time()
        # The seconds are read before the microseconds: across a second's
        # turn a line can seem a second older than it is.
        if int(micros) < 100000 and now - logged > 0.9:
            logged += 1.0
        self.lateness.append(now - logged)
        return logged

    def poll(self):
        while True:
            position = self.file.tell()
            line = self.file.readline()
            if not line.endswith(b"\n"):
                # (Nothing more yet, or a line still being written.)
                self.file.seek(position)
                return
            match = STAMP.match(line.decode("utf-8", "replace").rstrip("\r\n"))
            if not match:
                continue
            when = self.stamp(match.group(1), match.group(2))
            body = match.group(3)
            if queued := QUEUED.match(body):
                self.pending = Message(queued.group(1), when)
            elif mark := MARK.match(body):
                self.last_mark = mark.group(1)
                # speech-dispatcher's own marks, at the end of each
                # sentence, are not sent to Orca: they belong to the message
                # being played.
                if re.fullmatch(r"__spd_\d+", self.last_mark) and self.playing is not None:
                    self.playing.reached.setdefault(self.last_mark, when)
            elif reply := REPLY.search(body):
                self.reply(reply.group(1), reply.group(2), when)

    def reply(self, code, ident, when):
        if code == "225" and self.pending is not None:
            self.messages[ident] = self.pending
            self.order.append(self.pending)
            self.pending = None
            return
        message = self.messages.get(ident)
        if message is None:
            return
        if code == "700" and self.last_mark:
            message.reached.setdefault(self.last_mark, when)
        elif code == "701":
            message.begun = when
            self.playing = message
        elif code in ("702", "703"):
            message.ended = when
            message.cut = code == "703"

    def quiet(self, since=0):
        """Whether everything queued (from message `since` on) has been
        played out."""
        return self.pending is None and all(m.ended is not None for m in self.order[since:])


def last_digit_played(message, span):
    """When the word holding the square's last digit had been played (None
    while it has not), and whether it was played whole."""
    last = span[1] - 1
    starts = [start for start in message.word_starts if start <= last]
    reached = None
    if starts:
        for name, when in message.reached.items():
            if name.split(":")[0] == str(starts[-1]):
                reached = when
    if reached is None:
        # Without marks, only the message's end says it.
        if message.ended is not None:
            return message.ended, not message.cut and not starts
        return None
    # The word is done once anything after its mark is reached.
    later = [when for when in message.reached.values() if when > reached]
    if message.ended is not None:
        later.append(message.ended)
    return (min(later), True) if later else None


def key(*names, delay=None):
    command = ["xdotool", "key"]
    if delay:
        command += ["--delay", str(delay)]
    subprocess.run(command + list(names), check=False, timeout=10)


def wait_for(log, test, seconds):
    end = time.time() + seconds
    while time.time() < end:
        log.poll()
        result = test()
        if result:
            return result
        time.sleep(0.01)
    return None


def play(log, period, rounds):
    results = []
    for round_number in range(1, rounds + 1):
        found = None
        for _attempt in range(3):
            seen = len(log.order)
            key("Return")
            enter = time.time()

            def square_message():
                for message in log.order[seen:]:
                    span = find_square(message.text)
                    if span:
                        return message, span
                return None

            found = wait_for(log, square_message, 5)
            if found:
                break
        if not found:
            print(f"orca_timed_play: FAILED: round {round_number}'s square was not heard")
            return results, 1
        message, span = found
        square = [int(d) for d in re.findall(r"[1-9]", message.text[span[0] : span[1]])]
        swap = magic_swap(square)
        heard, whole = wait_for(log, lambda: last_digit_played(message, span), period + 20) or (None, False)
        # The player acts once Orca has gone quiet after the square.
        acted = wait_for(log, lambda: log.quiet(seen) and time.time(), period + 20) or time.time()
        seen = len(log.order)
        if swap:
            key(str(swap[0]), str(swap[1]), delay=250)

        def outcome():
            for said in log.order[seen:]:
                text = said.plain()
                if "swapped" in text or "Time is up" in text:
                    return said
            return None

        result = wait_for(log, outcome, period + 10)
        said = result.plain() if result is not None else ""
        # A swap the game took was in time: it takes none after the close.
        if "swapped" in said:
            verdict = "in time"
        elif "Time is up" in said:
            verdict = "too late"
        else:
            verdict = said or "no outcome heard"
        if not whole:
            verdict += " (the square was cut off)"
        row = {
            "round": round_number,
            "square": " ".join(map(str, square)),
            "orca": message.queued - enter,
            "begun": (message.begun or message.queued) - enter,
            "last": (heard - enter) if heard else None,
            "acted": acted - enter,
            "left": period - (acted - enter),
            "verdict": verdict,
            "words": message.plain(),
        }
        results.append(row)
        print(
            f"{round_number:5}  {row['square']:17}  {row['orca']:5.2f} s  {row['begun']:5.2f} s  "
            f"{(row['last'] or float('nan')):5.2f} s  {row['acted']:5.2f} s  {row['left']:5.2f} s  {verdict}",
            flush=True,
        )
        # The next round is started once the outcome has been said.
        wait_for(log, lambda: log.quiet(seen), 30)
        time.sleep(1.0)
    return results, 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("speechd_log")
    parser.add_argument("--period", type=float, default=10.0)
    parser.add_argument("--rounds", type=int, default=10)
    args = parser.parse_args()
    log = SpeechLog(args.speechd_log)
    log.poll()
    log.live = True
    print("round  square             Orca   heard  last     acted    left    swap", flush=True)
    print("                          sent   from   digit    (quiet)  to act", flush=True)
    results, status = play(log, args.period, args.rounds)
    lasts = [r["last"] for r in results if r["last"] is not None]
    lefts = [r["left"] for r in results]
    if lasts:
        won = sum(r["verdict"] == "in time" for r in results)
        print(
            f"Enter to the square's last digit: median {statistics.median(lasts):.2f} s "
            f"({min(lasts):.2f}-{max(lasts):.2f} s); time left to act: median "
            f"{statistics.median(lefts):.2f} s ({min(lefts):.2f}-{max(lefts):.2f} s); "
            f"swaps in time: {won} of {len(results)}"
        )
        print(f"The first utterance of a round, as sent to speech: \"{results[0]['words']}\"")
    if log.lateness:
        print(
            f"(speech-dispatcher's log was read {statistics.median(log.lateness):.3f} s after it was "
            f"written in the median, {max(log.lateness):.3f} s at most)"
        )
    return status


if __name__ == "__main__":
    sys.exit(main())
