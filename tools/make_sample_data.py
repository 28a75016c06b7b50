#!/usr/bin/env python3
"""Generate the bundled sample data set (sample-data/) for the Varnel viewer.

Every aircraft here is invented. Its figures come from a small point-mass model:
  * ISA standard atmosphere (troposphere): T = 288.15 - 0.0065 h, rho = 1.225 (T/288.15)^4.2559.
  * Engine shaft power constant up to a rated altitude, above it falling in
    proportion to air density. Two settings: "100%" (nominal) and "MAX" (a few per cent
    more, rated some hundred metres lower, never below 100%).
  * Propeller efficiency eta(V) = eta0 (1 - exp(-V / 25 m/s)): poor at low speed.
  * Parabolic drag polar Cd = Cd0 + k Cl^2, k = 1 / (pi e AR); weight W = m g, wing area S.
  * Top speed: the fast root of eta P = D V in level flight (n = 1).
  * Rate of climb at speed V: (eta P - D V) / W; the speed file gives its best value.
  * Full turn at 1000 m, MAX power: sustained load factor n = min(n from Cl_max,
    n where D V = eta P); time = 2 pi V / (g sqrt(n^2 - 1)). Flap settings 1/2/3 add
    to Cl_max and Cd0 and may only be used below their limit speed.
Files are written in Windows-1251 with CR LF line ends; every value is followed by a tab.

Usage: make_sample_data.py [OUTPUT_DIR]      write the data set (default: ../sample-data)
       make_sample_data.py --check [DIR]      read a data set back and print key figures
"""

import math
import os
import sys
from dataclasses import dataclass, field

G = 9.80665
ENCODING = "cp1251"
EOL = "\r\n"
TURN_ALTITUDE = 1000.0
SPEED_ALTITUDES = range(0, 10001, 500)
TURN_TIME_LIMIT = 45.0  # s: slower turns than this are left out of the tables
SUMMARY_KEYS = ("M_takeoff", "T_turn", "V_turn", "Vz_climb", "V_climb")


@dataclass
class Aircraft:
    name: str
    mass: float            # take-off mass, kg
    wing: float            # wing area, m^2
    cd0: float             # zero-lift drag coefficient, clean
    aspect: float          # aspect ratio
    oswald: float          # span efficiency e
    p_nom: float           # shaft power at "100%", kW
    p_max: float           # shaft power at "MAX", kW
    h_rated: float         # rated altitude at "100%", m
    cl_max: float          # clean Cl_max
    flaps: list            # [(dCl_max, dCd0, limit km/h)] for settings 1..3, or [] (no data)
    eta0: float = 0.82     # peak propeller efficiency
    max_drop: float = 700  # "MAX" is rated this much lower, m
    dive: str | None = None          # craft file "0" value (km/h); None: no craft file
    craft_extra: list = field(default_factory=list)
    weapons: list | None = None      # armament rows; None: no armament file
    extra_summary: list = field(default_factory=list)  # ignored summary rows

    @property
    def weight(self):
        return self.mass * G

    @property
    def k(self):
        return 1.0 / (math.pi * self.oswald * self.aspect)


# --- the model ------------------------------------------------------------------------

def density(h):
    t = 288.15 - 0.0065 * h
    return 1.225 * (t / 288.15) ** 4.2559


def power(ac, h, boost):
    """Shaft power in W at altitude h for the "MAX" (boost) or "100%" setting."""
    def rated(p_kw, h_r):
        return p_kw * 1000.0 * (1.0 if h <= h_r else density(h) / density(h_r))
    nominal = rated(ac.p_nom, ac.h_rated)
    return max(nominal, rated(ac.p_max, ac.h_rated - ac.max_drop)) if boost else nominal


def thrust_power(ac, v, h, boost):
    return ac.eta0 * (1.0 - math.exp(-v / 25.0)) * power(ac, h, boost)


def drag(ac, v, h, n=1.0, cd0_extra=0.0):
    q = 0.5 * density(h) * v * v
    cl = n * ac.weight / (q * ac.wing)
    return q * ac.wing * (ac.cd0 + cd0_extra + ac.k * cl * cl)


def stall_speed(ac, h, cl_max):
    return math.sqrt(2.0 * ac.weight / (density(h) * ac.wing * cl_max))


def climb_rate(ac, v, h, boost):
    return (thrust_power(ac, v, h, boost) - drag(ac, v, h) * v) / ac.weight


def top_speed(ac, h, boost):
    """Fast root of thrust power = drag power, m/s; None when level flight is impossible."""
    hi = 300.0
    lo = hi
    while climb_rate(ac, lo, h, boost) < 0.0:
        lo -= 1.0
        if lo < stall_speed(ac, h, ac.cl_max):
            return None
    for _ in range(60):
        mid = 0.5 * (lo + hi)
        if climb_rate(ac, mid, h, boost) >= 0.0:
            lo = mid
        else:
            hi = mid
    return lo


def best_climb(ac, h, boost, v_top):
    v0 = stall_speed(ac, h, ac.cl_max)
    steps = 400
    return max(climb_rate(ac, v0 + (v_top - v0) * i / steps, h, boost) for i in range(steps + 1))


def turn_time(ac, v, h, setting):
    """Sustained full-turn time in s at MAX power, or None when no level turn is held."""
    if setting == 0:
        dcl, dcd0 = 0.0, 0.0
    else:
        if not ac.flaps:
            return None
        dcl, dcd0, limit = ac.flaps[setting - 1]
        if v * 3.6 > limit:
            return None
    q = 0.5 * density(h) * v * v
    n_lift = q * ac.wing * (ac.cl_max + dcl) / ac.weight
    surplus = thrust_power(ac, v, h, True) / v - q * ac.wing * (ac.cd0 + dcd0)
    if surplus <= 0.0:
        return None
    n_power = math.sqrt(surplus * q * ac.wing / ac.k) / ac.weight
    n = min(n_lift, n_power)
    if n <= 1.0:
        return None
    t = 2.0 * math.pi * v / (G * math.sqrt(n * n - 1.0))
    return t if t <= TURN_TIME_LIMIT else None


# --- file contents --------------------------------------------------------------------

def fmt1(x):
    s = f"{x:.1f}"
    return "0.0" if s == "-0.0" else s


def tab_row(values):
    """Every value followed by a tab; None stands for an empty value."""
    return "".join(("" if v is None else v) + "\t" for v in values)


def short_row(values):
    """As tab_row, with the empty values at the end left out (the row is simply shorter)."""
    values = list(values)
    while values and values[-1] is None:
        values.pop()
    return tab_row(values)


def speed_rows(ac):
    rows = []
    for h in SPEED_ALTITUDES:
        v_max, v_nom = top_speed(ac, h, True), top_speed(ac, h, False)
        if v_max is None or v_nom is None:
            break
        c_max, c_nom = best_climb(ac, h, True, v_max), best_climb(ac, h, False, v_nom)
        if c_nom < 0.5:  # above the service ceiling at 100%
            break
        rows.append(tab_row([str(h), fmt1(v_max * 3.6), fmt1(c_max),
                             fmt1(v_nom * 3.6), fmt1(c_nom)]))
    return rows


def turn_rows(ac):
    slowest = stall_speed(ac, TURN_ALTITUDE, ac.cl_max + (ac.flaps[-1][0] if ac.flaps else 0.0))
    first = 10 * math.ceil(slowest * 3.6 * 1.1 / 10)
    last = 10 * math.floor(top_speed(ac, 0.0, True) * 3.6 / 10)
    speeds = list(range(first, last + 1, 10))

    climbs = []
    for kmh in speeds:
        v = kmh / 3.6
        c = climb_rate(ac, v, 0.0, True)
        climbs.append(fmt1(c) if v >= stall_speed(ac, 0.0, ac.cl_max) and c >= 0.0 else None)

    times = []
    for setting in range(4):
        column = [turn_time(ac, kmh / 3.6, TURN_ALTITUDE, setting) for kmh in speeds]
        times.append(column)

    rows = [tab_row(str(s) for s in speeds), short_row(climbs)]
    for setting, column in enumerate(times):
        if setting > 0 and not ac.flaps:
            rows.append("")  # no data for this flap setting
        else:
            rows.append(short_row(None if t is None else fmt1(t) for t in column))

    # summary figures, taken from the values as written
    clean = [(float(fmt1(t)), s) for t, s in zip(times[0], speeds) if t is not None]
    t_turn, v_turn = min(clean)
    best = [(float(c), s) for c, s in zip(climbs, speeds) if c is not None]
    vz, v_climb = max(best, key=lambda p: (p[0], -p[1]))
    summary = [f"M_takeoff: {ac.mass:.0f}", f"T_turn: {t_turn:.1f}", f"V_turn: {v_turn}",
               f"Vz_climb: {vz:.1f}", f"V_climb: {v_climb}"]
    for pos, text in ac.extra_summary:
        summary.insert(pos, text)
    return rows + summary


def craft_rows(ac):
    return [f"0={ac.dive}"] + [f"{k}={v}" for k, v in ac.craft_extra]


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + EOL for line in lines).encode(ENCODING))


def write_data_set(out_dir):
    dirs = {d: os.path.join(out_dir, d) for d in ("DataSpeed", "DataTurn", "DataCraft", "DataWeapon")}
    for d in dirs.values():
        os.makedirs(d, exist_ok=True)
        for entry in os.listdir(d):
            if entry.lower().endswith(".txt"):
                os.remove(os.path.join(d, entry))
    for ac in AIRCRAFT:
        write_lines(os.path.join(dirs["DataSpeed"], ac.name + "_speed.txt"), speed_rows(ac))
        write_lines(os.path.join(dirs["DataTurn"], ac.name + "_turn.txt"), turn_rows(ac))
        if ac.dive is not None:
            write_lines(os.path.join(dirs["DataCraft"], ac.name + ".txt"), craft_rows(ac))
        if ac.weapons is not None:
            write_lines(os.path.join(dirs["DataWeapon"], ac.name + ".txt"), ac.weapons)


# --- the aircraft ---------------------------------------------------------------------

FLAPS_LIGHT = [(0.22, 0.003, 420), (0.42, 0.009, 340), (0.62, 0.020, 270)]
FLAPS_HEAVY = [(0.18, 0.003, 400), (0.38, 0.010, 330), (0.58, 0.022, 260)]
FLAPS_NAVAL = [(0.30, 0.004, 380), (0.55, 0.011, 310), (0.80, 0.024, 250)]

AIRCRAFT = [
    # light fighter, modest engine, low rated altitude
    Aircraft("Tarn-5", mass=2750, wing=17.2, cd0=0.0235, aspect=6.0, oswald=0.80,
             p_nom=780, p_max=840, h_rated=3200, cl_max=1.40, flaps=FLAPS_LIGHT,
             dive="700", craft_extra=[("crew", "1"), ("span", "10.2")],
             weapons=["gun:2 x 7.62 мм;1 x 20 мм;", "bombs:2 x 100 кг;"]),
    # light fighter, fast, rated high
    Aircraft("Skarn-7", mass=3150, wing=16.4, cd0=0.0215, aspect=6.2, oswald=0.80,
             p_nom=1000, p_max=1090, h_rated=5500, cl_max=1.38, flaps=FLAPS_LIGHT,
             dive="760", craft_extra=[("crew", "1"), ("span", "10.0"), ("engine", "V-12, 1360 hp")],
             weapons=["gun:2 x 12.7 мм;1 x 20 мм;", "drop tank:1 x 300 л;"]),
    # light fighter tuned for low altitude (Cyrillic name, Russian texts)
    Aircraft("Вереск-3", mass=2950, wing=17.0, cd0=0.0225, aspect=6.1, oswald=0.82,
             p_nom=930, p_max=1040, h_rated=2200, cl_max=1.42, flaps=FLAPS_LIGHT, max_drop=500,
             dive="720", craft_extra=[("экипаж", "1"), ("размах", "9.8 м")],
             weapons=["gun:1 x 20 мм;2 x 12.7 мм;", "бомбы:2 x 100 кг;",
                      "ракеты:6 x 82 мм НУР;", "прицел:коллиматорный;"]),
    # late light fighter, powerful, fast at altitude
    Aircraft("Vask_Mk3", mass=3700, wing=18.6, cd0=0.0205, aspect=6.3, oswald=0.80,
             p_nom=1180, p_max=1300, h_rated=6200, cl_max=1.36, flaps=FLAPS_LIGHT,
             dive="790", craft_extra=[("crew", "1"), ("span", "11.1")],
             weapons=["gun:4 x 20 мм;", "cannon ammo:4 x 150 снарядов;", "bombs:2 x 250 lb;"]),
    # heavy single-engine fighter, turbo-supercharged
    Aircraft("Corvane_F4", mass=5600, wing=27.0, cd0=0.0220, aspect=5.6, oswald=0.78,
             p_nom=1500, p_max=1680, h_rated=8000, cl_max=1.35, flaps=FLAPS_HEAVY, max_drop=400,
             dive="810", craft_extra=[("crew", "1"), ("span", "12.4"), ("note", "turbo-supercharged")],
             weapons=["gun:8 x 12.7 мм;", "bombs:2 x 500 lb;1 x 1000 lb;",
                      "rockets:10 x 127 mm;"]),
    # twin-engine heavy fighter
    Aircraft("Halvard_A2", mass=7900, wing=38.5, cd0=0.0250, aspect=7.2, oswald=0.78,
             p_nom=2 * 1050, p_max=2 * 1160, h_rated=4500, cl_max=1.32, flaps=FLAPS_HEAVY,
             dive="700", craft_extra=[("crew", "2"), ("span", "17.3"), ("engines", "2")],
             weapons=["gun:2 x 20 мм;4 x 7.62 мм;", "defence:1 x 12.7 мм (turret);",
                      "bombs:2 x 250 кг;"]),
    # twin-engine high-altitude heavy fighter, no flap data
    Aircraft("Ostrel_HF", mass=9300, wing=40.0, cd0=0.0230, aspect=7.6, oswald=0.78,
             p_nom=2 * 1250, p_max=2 * 1400, h_rated=6800, cl_max=1.30, flaps=[],
             dive="720", craft_extra=[("crew", "2"), ("span", "18.3"), ("engines", "2")],
             weapons=["gun:4 x 20 мм;", "нос:2 x 12.7 мм;", "defence:2 x 7.62 мм;",
                      "bombs:4 x 250 кг;"]),
    # armoured attacker, low and slow, no flap data
    Aircraft("Grennet-A", mass=6300, wing=38.0, cd0=0.0300, aspect=6.9, oswald=0.78,
             p_nom=1200, p_max=1320, h_rated=1500, cl_max=1.35, flaps=[],
             dive="620", craft_extra=[("crew", "2"), ("armour", "950 кг")],
             weapons=["gun:2 x 23 мм;1 x 12.7 мм;", "бомбы:4 x 100 кг;или 200 x 2.5 кг;",
                      "ракеты:4 x 132 мм;", "стрелок:1 x 12.7 мм;"],
             extra_summary=[(1, "S_wing: 38")]),
    # biplane: slow, draggy, the best turner, no flaps
    Aircraft("Pelion-2bis", mass=2150, wing=21.0, cd0=0.0330, aspect=5.0, oswald=0.72,
             p_nom=620, p_max=680, h_rated=3000, cl_max=1.55, flaps=[],
             dive="560", craft_extra=[("crew", "1"), ("wings", "2 (biplane)")],
             weapons=["gun:2 x 7.62 мм;", "bombs:4 x 25 кг;"],
             extra_summary=[(5, "Ny_max: 7.5")]),
    # light, underpowered, nimble fighter; no armament file
    Aircraft("Talvik-11", mass=2450, wing=17.8, cd0=0.0240, aspect=6.4, oswald=0.82,
             p_nom=640, p_max=700, h_rated=4000, cl_max=1.45, flaps=FLAPS_LIGHT,
             dive="680", craft_extra=[("crew", "1"), ("span", "10.7")],
             weapons=None),
    # naval fighter: big wing, strong flaps
    Aircraft("Orrin_XC", mass=4250, wing=29.0, cd0=0.0225, aspect=5.9, oswald=0.80,
             p_nom=1350, p_max=1480, h_rated=5000, cl_max=1.45, flaps=FLAPS_NAVAL,
             dive="740", craft_extra=[("crew", "1"), ("span", "13.1"), ("folding wings", "yes")],
             weapons=["gun:6 x 12.7 мм;", "bombs:2 x 450 кг;", "rockets:6 x 127 mm;"]),
    # interceptor: small wing, fast climb; no craft file
    Aircraft("Quillon_E", mass=3400, wing=15.0, cd0=0.0210, aspect=5.5, oswald=0.78,
             p_nom=1080, p_max=1200, h_rated=6000, cl_max=1.32, flaps=FLAPS_LIGHT, max_drop=900,
             dive=None,
             weapons=["gun:2 x 30 мм;", "ammo:2 x 60 снарядов;"]),
    # fighter-bomber; no craft file
    Aircraft("Draxa-6", mass=4000, wing=21.5, cd0=0.0235, aspect=6.0, oswald=0.79,
             p_nom=1250, p_max=1370, h_rated=4000, cl_max=1.38, flaps=FLAPS_HEAVY,
             dive=None,
             weapons=["gun:2 x 20 мм;2 x 12.7 мм;", "bombs:1 x 500 кг;или 2 x 250 кг;",
                      "ракеты:8 x 82 мм;"]),
    # early monoplane with fixed undercarriage
    Aircraft("Ferrow-1b", mass=2400, wing=16.6, cd0=0.0275, aspect=5.8, oswald=0.78,
             p_nom=690, p_max=740, h_rated=2600, cl_max=1.38, flaps=FLAPS_LIGHT[:2] + [(0.50, 0.018, 260)],
             dive="630", craft_extra=[("crew", "1"), ("undercarriage", "fixed")],
             weapons=["gun:4 x 7.62 мм;", "bombs:2 x 50 кг;"]),
]


# --- reading back ---------------------------------------------------------------------

def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    bare = data.replace(b"\r\n", b"")
    if not data.endswith(b"\r\n") or b"\n" in bare or b"\r" in bare:
        raise ValueError(f"{path}: lines must end with CR LF")
    return data.decode(ENCODING).split("\r\n")[:-1]


def cut_fields(row):
    """Fields of a row in which every value is followed by a tab."""
    if row and not row.endswith("\t"):
        raise ValueError(f"text after the last tab: {row!r}")
    return row.split("\t")[:-1]


def summary_value(lines, key):
    for row in lines[6:]:
        if key in row:
            return float(row[len(key) + 2:])
    return None


def check_data_set(out_dir):
    names = sorted(e[:e.index("_speed")] for e in os.listdir(os.path.join(out_dir, "DataSpeed"))
                   if e.endswith(".txt") and "_speed" in e)
    head = (f"{'aircraft':<13}{'rows':>5}{'Vmax0':>7}{'Vmax':>7}{'@m':>6}{'Vz0':>6}{'top m':>7}"
            f"{'turn':>6}{'cols':>5}{'flaps':>6}{'M':>6}{'Tt':>6}{'Vt':>5}{'Vz':>6}{'Vc':>5}"
            f"  dive  arm")
    print(head)
    curves = {}
    for name in names:
        speed = [cut_fields(r) for r in read_lines(os.path.join(out_dir, "DataSpeed", name + "_speed.txt"))]
        assert all(len(r) == 5 for r in speed), name
        speed = [[float(x) for x in r] for r in speed]
        turn = read_lines(os.path.join(out_dir, "DataTurn", name + "_turn.txt"))
        table = [cut_fields(r) for r in turn[:6]]
        speeds = [float(x) for x in table[0]]
        assert all(len(r) <= len(speeds) for r in table[1:]), name
        times = [[(s, float(t)) for s, t in zip(speeds, r) if t] for r in table[2:6]]
        assert all(t > 0 for row in times for _, t in row), name
        climbs = [(s, float(c)) for s, c in zip(speeds, table[1]) if c]
        summary = {k: summary_value(turn, k) for k in SUMMARY_KEYS}
        craft = os.path.join(out_dir, "DataCraft", name + ".txt")
        dive = "unknown"
        if os.path.exists(craft):
            dive = next((r.split("=", 1)[1] for r in read_lines(craft)
                         if r.split("=", 1)[0].lower() == "0"), "")
        weapon = os.path.join(out_dir, "DataWeapon", name + ".txt")
        arm = "-"
        if os.path.exists(weapon):
            rows = read_lines(weapon)
            assert any(r.startswith("gun:") for r in rows) and all(r.endswith(";") for r in rows), name
            arm = " | ".join(rows)
        top = max(speed, key=lambda r: r[1])
        print(f"{name:<13}{len(speed):>5}{speed[0][1]:>7.1f}{top[1]:>7.1f}{top[0]:>6.0f}{speed[0][2]:>6.1f}"
              f"{speed[-1][0]:>7.0f}{min(t for _, t in times[0]):>6.1f}{len(speeds):>5}"
              f"{sum(1 for r in times[1:] if r):>6}{summary['M_takeoff']:>6.0f}{summary['T_turn']:>6.1f}"
              f"{summary['V_turn']:>5.0f}{summary['Vz_climb']:>6.1f}{summary['V_climb']:>5.0f}"
              f"  {dive:<5} {arm}")
        curves[name] = (speed, climbs, times)
    return curves


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    default_dir = os.path.join(here, os.pardir, "sample-data")
    if argv[1:2] == ["--check"]:
        check_data_set(argv[2] if len(argv) > 2 else default_dir)
        return 0
    out_dir = argv[1] if len(argv) > 1 else default_dir
    write_data_set(out_dir)
    print(f"{len(AIRCRAFT)} aircraft written to {os.path.normpath(out_dir)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
