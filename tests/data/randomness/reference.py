#!/usr/bin/env python3
"""An independent calculation of quorlin-cli randomness over the shipped history, standard
library only: exact fractions for the null distributions, the chi-square tail by its series in
120-digit decimals. Usage: reference.py [--from ISSUE] [--to ISSUE]"""
import csv, math, sys
from decimal import Decimal, getcontext
from fractions import Fraction
from itertools import combinations
from math import comb

getcontext().prec = 120


def decimal_pi():
    # The series of the decimal module's documentation.
    getcontext().prec += 2
    three = Decimal(3)
    lasts, t, s, n, na, d, da = 0, three, 3, 1, 0, 0, 24
    while s != lasts:
        lasts = s
        n, na = n + na, na + 8
        d, da = d + da, da + 32
        t = (t * n) / d
        s += t
    getcontext().prec -= 2
    return +s


def gamma_half(two_a):  # Γ(two_a / 2) exactly enough
    if two_a % 2 == 0:
        return Decimal(math.factorial(two_a // 2 - 1))
    n = (two_a - 1) // 2
    return Decimal(math.factorial(2 * n)) / (Decimal(4) ** n * math.factorial(n)) * decimal_pi().sqrt()


def chi2_tail(x, dof):
    # Q(a, y) = 1 - y^a e^-y Σ y^n / Γ(a+n+1), a = dof/2, y = x/2.
    x = Fraction(x)
    y = Decimal(x.numerator) / Decimal(x.denominator) / 2
    a = Decimal(dof) / 2
    g = gamma_half(dof + 2)  # Γ(a+1)
    term = 1 / g
    total = term
    n = 1
    while term > total * Decimal(10) ** -110:
        term = term * y / (a + n)
        total += term
        n += 1
    p = (y.ln() * a - y).exp() * total
    return float(1 - p)


def chi2(observed, expected):
    # Merge from the lowest value up to an expected count of at least 5; a remainder joins the last.
    cells, o, e, open_ = [], 0, 0, False
    for ob, ex in zip(observed, expected):
        o, e, open_ = o + ob, e + ex, True
        if e >= 5:
            cells.append([o, e]); o, e, open_ = 0, 0, False
    if open_:
        if cells:
            cells[-1][0] += o; cells[-1][1] += e
        else:
            cells.append([o, e])
    return sum((c[0] - c[1]) ** 2 / c[1] for c in cells), len(cells) - 1


def hyper(total, marked, picked):
    return [Fraction(comb(marked, j) * comb(total - marked, picked - j), comb(total, picked)) for j in range(picked + 1)]


def main():
    args = sys.argv[1:]
    lo = args[args.index('--from') + 1] if '--from' in args else None
    hi = args[args.index('--to') + 1] if '--to' in args else None
    here = __file__.rsplit('/', 4)[0]
    rows = list(csv.DictReader(open(here + '/data/dlt_history.csv')))
    draws = []
    for r in rows:
        if lo and int(r['issue']) < int(lo): continue
        if hi and int(r['issue']) > int(hi): continue
        draws.append(([int(r['f%d' % i]) for i in range(1, 6)], [int(r['b1']), int(r['b2'])]))
    n = len(draws)
    out = []
    # Frequencies, scaled for drawing without replacement.
    for zone, total, picked, label in ((0, 35, 5, '前区号码频率'), (1, 12, 2, '后区号码频率')):
        counts = [sum(d[zone].count(k) for d in draws) for k in range(1, total + 1)]
        x, dof = chi2(counts, [Fraction(n * picked, total)] * total)
        x = x * Fraction(total - 1, total - picked)
        out.append((label, float(x), dof, chi2_tail(x, dof)))
    for label, pred in (('前区奇数个数', lambda k: k % 2), ('前区大数个数', lambda k: k >= 18)):
        obs = [0] * 6
        for d in draws:
            obs[sum(1 for k in d[0] if pred(k))] += 1
        x, dof = chi2(obs, [n * p for p in hyper(35, 18, 5)])
        out.append((label, float(x), dof, chi2_tail(x, dof)))
    sums = [0] * 166
    for c in combinations(range(1, 36), 5):
        sums[sum(c)] += 1
    obs = [0] * 166
    for d in draws:
        obs[sum(d[0])] += 1
    x, dof = chi2(obs[15:], [Fraction(n * s, comb(35, 5)) for s in sums[15:]])
    out.append(('前区和值', float(x), dof, chi2_tail(x, dof)))
    obs = [0] * 6
    for a, b in zip(draws, draws[1:]):
        obs[len(set(a[0]) & set(b[0]))] += 1
    x, dof = chi2(obs, [(n - 1) * p for p in hyper(35, 5, 5)])
    out.append(('与上期重号个数', float(x), dof, chi2_tail(x, dof)))
    gaps, last = {}, {}
    for i, d in enumerate(draws):
        for k in d[0]:
            if k in last:
                gaps[i - last[k]] = gaps.get(i - last[k], 0) + 1
            last[k] = i
    g_total, longest = sum(gaps.values()), max(gaps)
    q = Fraction(6, 7)
    expected = [g_total * q ** (g - 1) / 7 for g in range(1, longest)] + [g_total * q ** (longest - 1)]
    x, dof = chi2([gaps.get(g, 0) for g in range(1, longest + 1)], expected)
    out.append(('前区遗漏间隔', float(x), dof, chi2_tail(x, dof)))
    s = [sum(d[0]) for d in draws]
    median = sorted(s)[n // 2]
    signs = [v > median for v in s if v != median]
    n1, n2 = signs.count(True), signs.count(False)
    runs = 1 + sum(1 for a, b in zip(signs, signs[1:]) if a != b)
    mean = 2 * n1 * n2 / (n1 + n2) + 1
    var = 2 * n1 * n2 * (2 * n1 * n2 - n1 - n2) / ((n1 + n2) ** 2 * (n1 + n2 - 1))
    z = (runs - mean) / math.sqrt(var)
    out.append(('和值游程', z, '-', math.erfc(abs(z) / math.sqrt(2))))
    for label, x, dof, p in out:
        print('%s\t%.2f\t%s\t%.3g' % (label, x, dof, p))


main()
