#!/usr/bin/env python3
"""Fits the Briscola search player's model of strong play to recorded decisions.

The model gives every card of a hand a score; a player picks a card with probability
proportional to exp(score) (a conditional logit). Leads and answers have their own weights.
The decisions come from cartovia-sim's --decisions FILE, one per line:
"trump-suit card card card led chosen stock" (card numbers 1..40, 0 for an empty slot or no
led card). The weights are printed in the order of PesoApertura and PesoRisposta in
games/briscola/GiocatoriBriscola.cpp.

    build/tools/cartovia-sim briscola --player esperto1 --computer esperto1 --games 150 \
        --seed 41 --decisions d41.txt --quiet
    build/tools/cartovia-sim briscola --player esperto1 --computer esperto1 --games 150 \
        --seed 42 --decisions d42.txt --quiet
    head -n 6371 d41.txt > a.txt; head -n 6364 d42.txt > b.txt
    python3 tools/modello_briscola.py a.txt b.txt

(the program's weights were fitted to those first decisions of the two runs).
"""
import math
import sys

FORZA = {1: 10, 3: 9, 10: 8, 9: 7, 8: 6, 7: 5, 6: 4, 5: 3, 4: 2, 2: 1}
PUNTI = {10: 11, 9: 10, 8: 4, 7: 3, 6: 2}


def seme(c):
    return (c - 1) // 10 + 1 if c > 0 else 0


def forza(c):
    return FORZA[(c - 1) % 10 + 1] if c > 0 else 0


def punti(c):
    return PUNTI.get(forza(c), 0)


def categoria(c, briscola):
    """0 worth nothing, 1 a figure, 2 an Ace or a Three; 3 to 5 the same in trumps."""
    p = punti(c)
    return (3 if seme(c) == briscola else 0) + (0 if p == 0 else (1 if p < 10 else 2))


def prende(guidata, c, briscola):
    if seme(c) == seme(guidata):
        return forza(c) > forza(guidata)
    return seme(c) == briscola


def tratti_apertura(x, briscola, stock):
    f = [0.0] * 14
    k = categoria(x, briscola)
    f[k] = 1.0
    f[7 if seme(x) == briscola else 6] = forza(x) / 10
    if stock <= 14:
        f[8 + k] = 1.0
    return f


def tratti_risposta(x, briscola, guidata):
    f = [0.0] * 13
    tk = 1.0 if prende(guidata, x, briscola) else 0.0
    tr = 1.0 if seme(x) == briscola else 0.0
    pl, px = punti(guidata) / 11, punti(x) / 11
    f[0], f[1], f[2], f[3] = tk, tk * pl, tk * tr, tk * px
    f[4 + categoria(x, briscola)] = 1.0
    f[10] = forza(x) / 10
    f[11] = (1 - tk) * px
    f[12] = tk * tr * pl
    return f


def leggi(file):
    decisioni = []
    for nome in file:
        with open(nome) as f:
            for riga in f:
                campi = riga.split()
                if len(campi) != 7:
                    continue
                briscola, a, b, c, guidata, scelta, stock = map(int, campi)
                mano = [x for x in (a, b, c) if x]
                if len(mano) >= 2 and stock > 0 and scelta in mano:
                    decisioni.append((briscola, mano, guidata, scelta, stock))
    return decisioni


def adatta(decisioni, apertura, epoche=300, passo=0.5, l2=1e-3):
    esempi = []
    for briscola, mano, guidata, scelta, stock in decisioni:
        if bool(guidata) == apertura:
            continue
        tratti = [tratti_apertura(x, briscola, stock) if apertura else tratti_risposta(x, briscola, guidata)
                  for x in mano]
        esempi.append((tratti, mano.index(scelta)))
    n = len(esempi[0][0][0])
    theta = [0.0] * n
    for _ in range(epoche):
        gradiente = [0.0] * n
        for tratti, y in esempi:
            s = [sum(a * b for a, b in zip(theta, f)) for f in tratti]
            m = max(s)
            e = [math.exp(v - m) for v in s]
            z = sum(e)
            for i, f in enumerate(tratti):
                c = (1.0 if i == y else 0.0) - e[i] / z
                for j in range(n):
                    gradiente[j] += c * f[j]
        for j in range(n):
            theta[j] += passo * (gradiente[j] / len(esempi) - l2 * theta[j])
    giuste = 0
    for tratti, y in esempi:
        s = [sum(a * b for a, b in zip(theta, f)) for f in tratti]
        giuste += max(range(len(s)), key=lambda i: s[i]) == y
    return theta, len(esempi), giuste / len(esempi)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    decisioni = leggi(sys.argv[1:])
    for apertura, nome in ((True, "PesoApertura"), (False, "PesoRisposta")):
        theta, n, giuste = adatta(decisioni, apertura)
        print("// %s: %d decisions, the likeliest card is the one chosen %.0f%% of the time" % (nome, n, 100 * giuste))
        print("%s = {%s};" % (nome, ", ".join("%.3f" % v for v in theta)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
