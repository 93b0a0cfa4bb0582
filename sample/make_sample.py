#!/usr/bin/env python3
"""Writes the sample catalogue under data/: two archives in Windows-1250 with
CR LF line ends, and a few comment files (line breaks stored as CR CR LF, as
the program writes them). Run it again after changing the films below; with a
folder as its one argument it writes data/ there instead."""
import os
import sys

HERE = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")

# original title, title, country, year, director, cast, rating code, viewings
SEEN = [
    ("Alien", "Alien", "SUA", "1979", "Ridley Scott", "Sigourney Weaver, John Hurt", 4, 3),
    ("Brazil", "Brazil", "Marea Britanie", "1985", "Terry Gilliam", "Jonathan Pryce", 5, 2),
    ("Casablanca", "Casablanca", "SUA", "1942", "Michael Curtiz", "Humphrey Bogart, Ingrid Bergman", 5, 4),
    ("Moartea domnului Lăzărescu", "Moartea domnului Lăzărescu", "România", "2005", "Cristi Puiu",
     "Ion Fiscuteanu", 4, 1),
    ("Moromeţii", "Moromeţii", "România", "1987", "Stere Gulea", "Victor Rebengiuc", 5, 2),
    ("Pădurea spânzuraţilor", "Pădurea spânzuraţilor", "România", "1965", "Liviu Ciulei",
     "Victor Rebengiuc, Liviu Ciulei", 5, 1),
    ("Reconstituirea", "Reconstituirea", "România", "1968", "Lucian Pintilie", "George Mihăiţă", 4, 1),
    ("4 luni, 3 săptămâni şi 2 zile", "4 luni, 3 săptămâni şi 2 zile", "România", "2007", "Cristian Mungiu",
     "Anamaria Marinca", 4, 2),
    ("Stalker", "Călăuza", "URSS", "1979", "Andrei Tarkovski", "Aleksandr Kaidanovski", 5, 2),
    ("Ladri di biciclette", "Hoţii de biciclete", "Italia", "1948", "Vittorio De Sica", "Lamberto Maggiorani", 4, 1),
    ("Rashomon", "Rashomon", "Japonia", "1950", "Akira Kurosawa", "Toshiro Mifune", 3, 1),
    ("Plan 9 from Outer Space", "Planul 9 din spaţiul cosmic", "SUA", "1957", "Ed Wood", "Bela Lugosi", 0, 1),
    ("Titanic", "Titanic", "SUA", "1997", "James Cameron", "Leonardo DiCaprio, Kate Winslet", 2, 2),
    ("eXistenZ", "eXistenZ", "Canada", "1999", "David Cronenberg", "Jennifer Jason Leigh", 1, 1),
    ("sex, lies, and videotape", "Sex, minciuni şi casete video", "SUA", "1989", "Steven Soderbergh",
     "James Spader", 3, 1),
    ("Ştefan cel Mare - 1475", "Ştefan cel Mare - 1475", "România", "1974", "Mircea Drăgan",
     "Gheorghe Cozorici", 2, 1),
]

TO_SEE = [
    ("Sieranevada", "Sieranevada", "România", "2016", "Cristi Puiu", "Mimi Brănescu", 6, 0),
    ("Playtime", "Playtime", "Franţa", "1967", "Jacques Tati", "Jacques Tati", 6, 0),
    ("mother!", "mother!", "SUA", "2017", "Darren Aronofsky", "Jennifer Lawrence", 6, 0),
    ("Le Samourai", "Samuraiul", "Franţa", "1967", "Jean-Pierre Melville", "Alain Delon", 6, 0),
    ("Tokyo monogatari", "Poveste din Tokio", "Japonia", "1953", "Yasujiro Ozu", "Chishu Ryu", 6, 0),
]

COMMENTS = {
    ("filme", "Alien"): "In spatiu nimeni nu te aude tipand.",
    ("filme", "Casablanca"): "Revazut de patru ori.\nDe fiecare data mai bun.",
    ("filme", "Pădurea spânzuraţilor"): "Dupa romanul lui Liviu Rebreanu.\nPremiul pentru regie la Cannes, 1965.",
    ("tosee", "Playtime"): "De vazut pe un ecran mare.",
}


def ansi(text):
    return text.encode("cp1250")


def text_mode(data):
    return data.replace(b"\n", b"\r\n")


def write_archive(path, films):
    # Descending byte order of original title, as the program writes it.
    films = sorted(films, key=lambda f: ansi(f[0]), reverse=True)
    out = b"cinetrove\nquonwerk\n%d\n" % len(films)
    for film in films:
        out += b"".join(ansi(field) + b"\n" for field in film[:6])
        out += b"%d %d\n" % (film[6], film[7])
    with open(path, "wb") as f:
        f.write(text_mode(out))


def main():
    for sub in ("filme", "tosee"):
        os.makedirs(os.path.join(DATA, "comments", sub), exist_ok=True)
    write_archive(os.path.join(DATA, "filme.cta"), SEEN)
    write_archive(os.path.join(DATA, "tosee.cta"), TO_SEE)
    for (sub, title), comment in COMMENTS.items():
        # The comment box gives CR LF line breaks, stored through a text-mode stream.
        body = text_mode(ansi(comment).replace(b"\n", b"\r\n"))
        with open(os.path.join(DATA, "comments", sub, title + ".ctc"), "wb") as f:
            f.write(body)


if __name__ == "__main__":
    main()
