#!/usr/bin/env python3
"""End-to-end throughput of lx: records/s, MB/s and peak memory per parser kind.

  python3 bench/lx_throughput.py [--build build] [--lines 1000000] [--kinds name,address,...]

Generates realistic lines per kind (seeded, so runs compare), runs lx over them with one
thread and with all threads (CSV output to /dev/null) under /usr/bin/time -v, and prints
each run's rate, its ratio to the engine benchmark's per-core rate for the same kind, and
the peak resident memory.
"""
import argparse, json, os, random, re, subprocess, sys, tempfile, time

GIVEN = ["JOHN", "MARY", "ROBERT", "PATRICIA", "JAMES", "LINDA", "MICHAEL", "BARBARA", "DAVID",
         "ELIZABETH", "WILLIAM", "JENNIFER", "CARLOS", "MARIA", "WEI", "AISHA", "PIERRE", "ANNE"]
LAST = ["SMITH", "JOHNSON", "WILLIAMS", "BROWN", "JONES", "GARCIA", "MILLER", "DAVIS", "LOPEZ",
        "MCDONALD", "O'NEIL", "VAN DER BERG", "NGUYEN", "KOWALSKI", "DUBOIS", "MACARTHUR"]
TITLES = ["MR", "MRS", "MS", "DR", "REV", "PROF"]
FIRMS = ["INC", "LLC", "CORP", "COMPANY", "ASSOCIATES", "BANK", "TRUST"]
STREETS = ["MAIN", "OAK", "ELM", "PARK", "WASHINGTON", "LAKE", "HILL", "5TH", "CEDAR", "MAPLE"]
SUFFIXES = ["ST", "AVE", "RD", "BLVD", "DR", "LN", "CT", "PL", "WAY", "PKWY", "STREET", "AVENUE"]
DIRS = ["", "", "N", "S", "E", "W", "NE", "SW"]
UNITS = ["APT", "STE", "UNIT", "#", "FL"]
CITIES = [("NEW YORK", "NY", "100"), ("CHICAGO", "IL", "606"), ("HOUSTON", "TX", "770"),
          ("PHOENIX", "AZ", "850"), ("SAN DIEGO", "CALIFORNIA", "921"), ("DENVER", "CO", "802"),
          ("SAINT PAUL", "MINN", "551"), ("BOSTON", "MASS", "021")]
CAN = [("TORONTO", "ON", "M5V"), ("MONTREAL", "QC", "H3B"), ("VANCOUVER", "BC", "V6B"),
       ("HALIFAX", "NOVA SCOTIA", "B3J"), ("OTTAWA", "ONTARIO", "K1A")]


def name_line(r):
    k = r.random()
    first, last = r.choice(GIVEN), r.choice(LAST)
    if k < 0.35:
        return f"{r.choice(TITLES)} {first} {r.choice('ABCDEJKLMR')} {last}"
    if k < 0.55:
        return f"{last}, {first} {r.choice(['', 'JR', 'SR', 'III'])}".strip()
    if k < 0.75:
        return f"{first} AND {r.choice(GIVEN)} {last}"
    if k < 0.9:
        return f"{last} {r.choice(STREETS)} {r.choice(FIRMS)}"
    return f"{first} {last}"


def address_line(r):
    k = r.random()
    house = str(r.randint(1, 99999))
    street = f"{house} {r.choice(DIRS)} {r.choice(STREETS)} {r.choice(SUFFIXES)}".replace("  ", " ")
    if k < 0.45:
        return street
    if k < 0.7:
        return f"{street} {r.choice(UNITS)} {r.randint(1, 40)}{r.choice(['', 'B'])}"
    if k < 0.85:
        return f"PO BOX {r.randint(1, 9999)}"
    return f"RR {r.randint(1, 12)} BOX {r.randint(1, 500)}"


def city_line(r):
    city, state, scf = r.choice(CITIES)
    zip5 = f"{scf}{r.randint(0, 99):02d}"
    return f"{city} {state} {zip5}" + (f"-{r.randint(0, 9999):04d}" if r.random() < 0.3 else "")


def cancity_line(r):
    city, prov, fsa = r.choice(CAN)
    return f"{city} {prov} {fsa} {r.randint(0, 9)}{r.choice('ABCEGHJ')}{r.randint(0, 9)}"


def case_line(r):
    return name_line(r) if r.random() < 0.5 else address_line(r)


KINDS = {  # kind: (line maker, the engine benchmark of that parser)
    "name": (name_line, r"^BM_ParseNameLines$"), "address": (address_line, r"^BM_AddressParseMix$"),
    "city": (city_line, r"^BM_UsCityLine$"), "cancity": (cancity_line, r"^BM_CanadianCityLine$"),
    "case": (case_line, r"^BM_ConvertCase$"),
}


def engine_rates(bench):
    """items_per_second of every engine benchmark, by name."""
    if not os.path.exists(bench):
        return {}
    wanted = "|".join(pattern.strip("^$") for _, pattern in KINDS.values())
    out = subprocess.run([bench, "--benchmark_format=json", "--benchmark_min_time=0.3",
                          f"--benchmark_filter={wanted}"],
                         capture_output=True, text=True).stdout
    try:
        return {b["name"]: b.get("items_per_second", 0) for b in json.loads(out)["benchmarks"]}
    except (ValueError, KeyError):
        return {}


def run(lx, kind, path, threads):
    cmd = ["/usr/bin/time", "-v", lx, kind, "--quiet", "--threads", str(threads), "-o", "/dev/null", path]
    t0 = time.perf_counter()
    p = subprocess.run(cmd, capture_output=True, text=True)
    secs = time.perf_counter() - t0
    if p.returncode != 0:
        sys.exit(f"lx failed: {p.stderr}")
    rss = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", p.stderr).group(1))
    return secs, rss / 1024


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build")
    ap.add_argument("--lines", type=int, default=1_000_000)
    ap.add_argument("--kinds", default=",".join(KINDS))
    a = ap.parse_args()
    lx = os.path.join(a.build, "bin", "lx")
    rates = engine_rates(os.path.join(a.build, "bin", "lexorin_bench"))
    cores = os.cpu_count() or 1
    print(f"{'kind':8} {'threads':>7} {'records/s':>12} {'MB/s':>7} {'vs engine':>9} {'peak MB':>8}")
    with tempfile.TemporaryDirectory() as tmp:
        for kind in a.kinds.split(","):
            make, pattern = KINDS[kind]
            r = random.Random(42)
            path = os.path.join(tmp, f"{kind}.txt")
            with open(path, "w") as f:
                for _ in range(a.lines):
                    f.write(make(r) + "\n")
            size_mb = os.path.getsize(path) / 1e6
            engine = max((v for k, v in rates.items() if re.search(pattern, k)), default=0)
            for threads in sorted({1, cores}):
                secs, peak = run(lx, kind, path, threads)
                rate = a.lines / secs
                ratio = f"{rate / engine / threads:.0%}" if engine else "-"
                print(f"{kind:8} {threads:>7} {rate:>12,.0f} {size_mb / secs:>7.1f} {ratio:>9} {peak:>8.1f}")


if __name__ == "__main__":
    main()
