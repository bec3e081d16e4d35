"""Read aloud: with the speech service refused, then with the real speech-dispatcher and
espeak-ng's Persian voice. The service runs from the program's own home: its sound goes
to a file (ALSA's file plug-in), and its log names every message it is given."""

import os
import re
import signal

from ketabe2e import journey
from ketabe2e.book import Book
from ketabe2e.screens import Reading, open_section
from journeys.remember import options_panel, pixels, track_plays

START, PAUSE, RESUME, STOP = "خواندن با صدا", "مکث خواندن با صدا", "ادامهٔ خواندن با صدا", "توقف خواندن با صدا"
NOTE = "خواندن با صدا"  # the note's description
FILL = (0xe6, 0xdb, 0xf7)  # the spoken sentence's fill by day
SPEECH_LIBRARIES = re.compile(r"texttospeech|libspeechd|/speech\.so")


def service_files(s):
    folder = os.path.join(s.program.workdir, "speech")
    return folder, os.path.join(folder, "speech-dispatcher.log"), os.path.join(folder, "sound.raw")


def configure_service(s, refused):
    """The service's configuration in the program's home: logging every message, sound to
    a file, the espeak-ng module; refused: the service may not be started at all."""
    folder, _, sound = service_files(s)
    os.makedirs(folder, exist_ok=True)
    config = os.path.join(s.program.home, ".config", "speech-dispatcher")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "speechd.conf"), "w") as f:
        f.write(f'LogLevel 5\nLogDir "{folder}"\nAudioOutputMethod "alsa"\nTimeout 3\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\nDefaultModule espeak-ng\n'
                + ("DisableAutoSpawn\n" if refused else ""))
    with open(os.path.join(s.program.home, ".asoundrc"), "w") as f:
        f.write(f'pcm.!default {{ type file; slave.pcm "null"; file "{sound}"; format "raw" }}\n')


def spoken(s):
    """The messages the service was given, in order."""
    try:
        with open(service_files(s)[1], encoding="utf-8", errors="replace") as f:
            return re.findall(r"Queueing message \|(.*?)\| with priority", f.read())
    except FileNotFoundError:
        return []


def sound_bytes(s):
    path = service_files(s)[2]
    return os.path.getsize(path) if os.path.exists(path) else 0


def expected_sentences(book, page):
    """The page's sentences as a reader cuts them from the book's file: its heading said as
    the page's number, each paragraph's sentences at their full stops; no page number."""
    blocks = [re.sub(r"<[^>]+>", "", b).strip() for b in re.findall(r"<p[^>]*>(.*?)</p>", book.page_text(page), re.S)]
    out = [f"صفحه {page}"]
    for block in blocks[1:]:
        if block and block != str(page):
            out += [t for t in re.split(r"(?<=\.)\s+", block) if t]
    return out


def maps(s):
    with open(f"/proc/{s.program.pid}/maps") as f:
        return sorted({line.split()[-1] for line in f if SPEECH_LIBRARIES.search(line)})


def note_of(r):
    bar = r.field.parent
    return bar.find("label", where=lambda n: n.description == NOTE and n.showing)


def kill_service(s):
    path = os.path.join(s.program.runtime, "speech-dispatcher", "pid", "speech-dispatcher.pid")
    try:
        with open(path) as f:
            os.kill(int(f.read().strip()), signal.SIGKILL)
    except (OSError, ValueError):
        pass


def fill_pixels(s, r):
    data = pixels(s, r.view.rect)
    return sum(1 for i in range(0, len(data) - 2, 3) if tuple(data[i:i + 3]) == FILL)


@journey("speech: refused, read aloud says what to install and the program goes on; then a page read "
         "sentence by sentence, marked, paused, resumed, turned by itself and stopped, the music held; "
         "the service dying stops reading")
def read_aloud(s):
    book = Book(s.book)
    try:
        configure_service(s, refused=True)
        r = open_section(s, 2)
        s.check("page after Next on the contents", "766", r.press(Reading.NEXT))
        r.wait_page_text(book, 766)
        s.check("speech libraries in the program after start-up", [], maps(s))

        # Refused: the note says which package to install, the button is ready again.
        s.key("F8")
        note = s.wait(lambda: note_of(r), "the read-aloud note")
        s.wait(lambda: "speech-dispatcher" in note.name, "the note to name the package to install")
        s.check("the read-aloud button after the refusal", START, r.button(START).name)
        s.step("speech service refused")
        s.check("page after Next with speech refused", "767", r.press(Reading.NEXT))
        s.check("page after Previous", "766", r.press(Reading.PREVIOUS))
        r.wait_page_text(book, 766)

        # The real service: the first sentences said in order, each with sound.
        configure_service(s, refused=False)
        s.check("the section's music before reading", True, track_plays(s))
        s.click(r.button(START))
        # The first start lists all the service's voices, seconds on a busy machine: it shows.
        s.wait(lambda: note_of(r) is not None and "راه‌اندازی" in note_of(r).name, "the note that speech is starting")
        s.check("the read-aloud button while the service starts", STOP, r.button(STOP).name)
        expected = expected_sentences(book, 766)
        sounds = []

        def said_more():
            heard = spoken(s)
            if len(heard) > len(sounds) and len(sounds) < 4:
                sounds.append(sound_bytes(s))
            return len(heard) >= 4
        s.wait(said_more, "the first four sentences given to the service", timeout=120)
        s.check("the first sentences said, in order", expected[:4], spoken(s)[:4])
        s.wait(lambda: sound_bytes(s) > max(sounds), "sound for the sentences said")
        s.check("the read-aloud button while reading", PAUSE, r.button(PAUSE).name)
        s.check_that("speech libraries mapped once asked for", maps(s), "the module and Qt's speech library", maps(s))

        s.key("F8")
        s.wait(lambda: r.button(RESUME).showing, "the button to offer resuming")
        count = len(spoken(s))
        s.check("messages to the service while paused", False, s.appears(lambda: len(spoken(s)) > count, 1.5))
        s.check_that("the paused sentence marked on the page", fill_pixels(s, r) > 300, "its fill", fill_pixels(s, r))
        s.check("the section's music while reading is paused", False, track_plays(s, 2))
        s.step("reading paused, its sentence marked")

        s.key("F8")
        s.wait(lambda: len(spoken(s)) > count, "reading to go on")
        s.check("the sentence said again on resuming", spoken(s)[count - 1], spoken(s)[count])
        s.wait_value(r.page_number, "767", "the page to turn by itself", timeout=90)
        first = expected_sentences(book, 767)[:2]
        s.wait(lambda: any(spoken(s)[i:i + 2] == first for i in range(len(spoken(s)))),
               "page 767's first sentences said after the turn", timeout=60)

        s.key("shift+F8")
        s.wait(lambda: r.button(START).showing, "the button to offer reading again")
        count = len(spoken(s))
        s.check("messages after stopping", False, s.appears(lambda: len(spoken(s)) > count, 1.5))
        s.check("the mark after stopping", 0, fill_pixels(s, r))
        s.check("the section's music after stopping", True, track_plays(s))
        s.step("reading stopped")

        # A page move by the reader stops reading.
        s.key("F8")
        s.wait(lambda: len(spoken(s)) > count, "reading to start again")
        s.click(r.button(Reading.NEXT))
        s.wait(lambda: r.button(START).showing, "reading to stop at the reader's Next")
        count = len(spoken(s))
        s.check("messages after the reader's Next", False, s.appears(lambda: len(spoken(s)) > count + 1, 1.5))

        # The page menu reads from where it was opened: a sentence in the page's middle.
        shown = int(r.page_number())
        r.wait_page_text(book, shown)
        count = len(spoken(s))
        s.input.click(*r.view.rect.center, button=3)
        s.popup()
        s.key("Up", "Return")
        s.wait(lambda: len(spoken(s)) > count, "reading from the menu's place")
        page = expected_sentences(book, shown)
        s.check_that("the first sentence said from the middle of the page", spoken(s)[count] in page[2:],
                     "a sentence of the page's body", spoken(s)[count])

        # The service dies in the middle of a page: reading stops, the note says so.
        kill_service(s)
        s.wait(lambda: note_of(r) is not None and "سرویس گفتار" in note_of(r).name, "the note that speech stopped")
        s.wait(lambda: r.button(START).showing, "the button to offer reading again after the service died")
        s.check("the section's music after the service died", True, track_plays(s))
        s.step("speech service died")
        # The service named its Persian voices (espeak-ng's variants among them): a choice,
        # showing its own first (a combo box is named by what it shows).
        panel = options_panel(s, r)
        s.control(panel, "combo box", "Persian", timeout=5)
        s.step("options panel with the reading pace and voice")
        r.close_panel(panel)
        r.back_to_menu()
    finally:
        kill_service(s)
