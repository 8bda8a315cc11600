#!/usr/bin/env python3
"""Makes the labelled set of bench/run-suggest.sh: real pictures copied,
re-dated and geotagged with exiftool, in two halves of one user's year
(OUT/half1, OUT/half2), and OUT/labels.csv with the album each picture
belongs to in the events, days and places modes.

The labels say what the pictures are, never what any setting gives: every
everyday shot is an event and a day of its own; a trip is one event however
many towns it has; a party is one event and one day, its shots past midnight
on the evening's day; a burst is one event; a stay is the time spent in one
town (home between two trips is one stay, a day trip away and back is three).

usage: make-suggest-set.py PHOTOS TESTDATA OUT
"""

import datetime as dt
import os
import random
import shutil
import subprocess
import sys

HOME = ("Amsterdam", 52.3676, 4.9041)
KYOTO = ("Kyoto", 35.0116, 135.7681)
NARA = ("Nara", 34.6851, 135.8048)
OSAKA = ("Osaka", 34.6937, 135.5023)
EDINBURGH = ("Edinburgh", 55.9533, -3.1883)
GLASGOW = ("Glasgow", 55.8642, -4.2518)
LISBON = ("Lisbon", 38.7223, -9.1393)
SINTRA = ("Sintra", 38.8029, -9.3817)
PORTO = ("Porto", 41.1579, -8.6291)
ROME = ("Rome", 41.9028, 12.4964)
FLORENCE = ("Florence", 43.7696, 11.2558)


class Maker:
    def __init__(self, photos, testdata, rng):
        self.rng = rng
        self.phone = os.path.join(testdata, "pixel5-1008x756.jpg")
        self.other_phone = os.path.join(testdata, "iphone11-1008x756.jpg")
        self.camera = os.path.join(photos, "Canon_40D.jpg")
        everyday = ["Canon_DIGITAL_IXUS_400.jpg", "Canon_PowerShot_S40.jpg", "Fujifilm_FinePix6900ZOOM.jpg",
                    "Fujifilm_FinePix_E500.jpg", "Kodak_CX7530.jpg", "Konica_Minolta_DiMAGE_Z3.jpg",
                    "Nikon_COOLPIX_P1.jpg", "Nikon_D70.jpg", "Olympus_C8080WZ.jpg", "Panasonic_DMC-FZ30.jpg",
                    "Pentax_K10D.jpg", "Ricoh_Caplio_RR330.jpg", "Sony_HDR-HC3.jpg", "gps/DSCN0010.jpg"]
        self.cameras = [os.path.join(photos, name) for name in everyday]
        self.shots = []
        self.event = 0
        self.stay = 0
        self.stay_town = None

    # Labels -----------------------------------------------------------------
    def new_event(self):
        self.event += 1

    def enter(self, town):
        """A stay begins where the town changes."""
        if town != self.stay_town:
            self.stay += 1
            self.stay_town = town

    # Shots ------------------------------------------------------------------
    def shot(self, local, offset_minutes, source, town, with_position, day_label):
        utc = local - dt.timedelta(minutes=offset_minutes)
        place = None
        if with_position:
            # Somewhere in the town, up to about 3 km from its centre.
            place = (town[1] + self.rng.uniform(-0.03, 0.03), town[2] + self.rng.uniform(-0.03, 0.03))
        self.enter(town[0])
        self.shots.append({"utc": utc, "source": source, "local": local, "offset": offset_minutes,
                           "place": place, "event": self.event, "day": day_label, "stay": self.stay})

    def everyday(self, first, last, offset_of):
        """Single shots on days 1 to 3 apart, each an event and a day of its own."""
        day = first
        while day <= last:
            local = dt.datetime.combine(day, dt.time(8)) + dt.timedelta(minutes=self.rng.randrange(0, 13 * 60))
            phone = self.rng.random() < 0.6
            source = self.phone if phone else self.rng.choice(self.cameras)
            self.new_event()
            self.shot(local, offset_of(local), source, HOME, phone, day)
            day += dt.timedelta(days=self.rng.randrange(1, 4))

    def departure(self, day, offset):
        """A shot at home on the morning of a journey."""
        local = dt.datetime.combine(day, dt.time(7, 30)) + dt.timedelta(minutes=self.rng.randrange(0, 45))
        self.new_event()
        self.shot(local, offset, self.phone, HOME, True, day)

    def burst(self, day, offset):
        """A match shot by a camera without position: bursts of shots seconds apart."""
        self.new_event()
        local = dt.datetime.combine(day, dt.time(14))
        camera = self.rng.choice(self.cameras)
        for _ in range(6):
            for _ in range(self.rng.randrange(4, 9)):
                self.shot(local, offset, camera, HOME, False, day)
                local += dt.timedelta(seconds=self.rng.randrange(1, 4))
            local += dt.timedelta(minutes=self.rng.randrange(3, 12))

    def party(self, day, offset, start_hour):
        """From the evening to past 2 at night, phone and a friend's camera."""
        self.new_event()
        local = dt.datetime.combine(day, dt.time(start_hour))
        end = dt.datetime.combine(day + dt.timedelta(days=1), dt.time(2, 30))
        while local < end:
            phone = self.rng.random() < 0.6
            self.shot(local, offset, self.phone if phone else self.rng.choice(self.cameras), HOME, phone,
                      day)
            local += dt.timedelta(minutes=self.rng.randrange(5, 25))

    def trip(self, plan, offset, phone, camera, first_start=dt.time(8, 30)):
        """One event; `plan` lists each day with its towns in order: the
        morning in the first, a move at about 10 to the second, and back at
        about 17 to a third."""
        self.new_event()
        for number, (day, towns) in enumerate(plan):
            start = first_start if number == 0 else dt.time(8, 30)
            local = dt.datetime.combine(day, start) + dt.timedelta(minutes=self.rng.randrange(0, 40))
            end = dt.datetime.combine(day, dt.time(22, 0))
            move_hours = [10, 17][:len(towns) - 1]
            step = 0
            while local < end:
                if step < len(move_hours) and local.hour >= move_hours[step]:
                    # The journey: an hour or more without a shot.
                    local += dt.timedelta(minutes=self.rng.randrange(60, 100))
                    step += 1
                by_camera = camera is not None and self.rng.random() < 0.4
                source = camera if by_camera else phone
                self.shot(local, offset, source, towns[step], not by_camera, day)
                local += dt.timedelta(minutes=self.rng.randrange(15, 80))


def amsterdam_offset(local):
    # Summer time from the last Sunday of March to the last Sunday of October, 2024.
    return 120 if dt.datetime(2024, 3, 31, 3) <= local < dt.datetime(2024, 10, 27, 3) else 60


def day_trip_plan(first, towns_by_day):
    return [(first + dt.timedelta(days=i), towns) for i, towns in enumerate(towns_by_day)]


def make_half(maker, half):
    d = dt.date
    if half == 1:
        maker.everyday(d(2024, 3, 1), d(2024, 3, 20), amsterdam_offset)
        maker.burst(d(2024, 3, 23), 60)
        maker.everyday(d(2024, 3, 25), d(2024, 4, 10), amsterdam_offset)
        maker.trip(day_trip_plan(d(2024, 4, 12), [[KYOTO], [KYOTO], [KYOTO], [KYOTO, NARA], [NARA, OSAKA],
                                                 [OSAKA], [OSAKA]]),
                   9 * 60, maker.other_phone, maker.camera)
        maker.everyday(d(2024, 4, 20), d(2024, 5, 10), amsterdam_offset)
        maker.party(d(2024, 5, 11), 120, 20)
        maker.everyday(d(2024, 5, 13), d(2024, 5, 31), amsterdam_offset)
        maker.departure(d(2024, 6, 1), 120)
        maker.trip(day_trip_plan(d(2024, 6, 1), [[EDINBURGH], [EDINBURGH], [EDINBURGH], [EDINBURGH, GLASGOW],
                                                 [GLASGOW]]),
                   60, maker.phone, None, dt.time(11))
        maker.everyday(d(2024, 6, 6), d(2024, 6, 25), amsterdam_offset)
    else:
        maker.everyday(d(2024, 8, 1), d(2024, 8, 20), amsterdam_offset)
        maker.burst(d(2024, 8, 24), 120)
        maker.everyday(d(2024, 8, 26), d(2024, 9, 10), amsterdam_offset)
        maker.departure(d(2024, 9, 12), 120)
        maker.trip(day_trip_plan(d(2024, 9, 12), [[LISBON], [LISBON], [LISBON], [LISBON, SINTRA, LISBON],
                                                 [LISBON, PORTO], [PORTO], [PORTO]]),
                   60, maker.phone, maker.camera, dt.time(12))
        maker.everyday(d(2024, 9, 20), d(2024, 10, 8), amsterdam_offset)
        maker.party(d(2024, 10, 12), 120, 21)
        maker.everyday(d(2024, 10, 14), d(2024, 10, 31), amsterdam_offset)
        maker.trip(day_trip_plan(d(2024, 11, 3), [[ROME], [ROME], [ROME, FLORENCE], [FLORENCE]]),
                   60, maker.other_phone, None)
        maker.everyday(d(2024, 11, 8), d(2024, 11, 28), amsterdam_offset)


def offset_text(minutes):
    sign = "+" if minutes >= 0 else "-"
    minutes = abs(minutes)
    return "%s%02d:%02d" % (sign, minutes // 60, minutes % 60)


def write_half(out, half, shots, rng, labels):
    folder = os.path.join(out, "half%d" % half)
    os.makedirs(folder)
    # Names that tell nothing of the order.
    numbers = list(range(len(shots)))
    rng.shuffle(numbers)
    args = []
    seen = set()
    day_ids = {}
    for shot, number in zip(shots, numbers):
        # One moment per picture, so the labelled order is one order.
        while shot["utc"] in seen:
            shot["utc"] += dt.timedelta(seconds=1)
            shot["local"] += dt.timedelta(seconds=1)
        seen.add(shot["utc"])
        name = "p%04d%s" % (number, ".jpg")
        path = os.path.join(folder, name)
        shutil.copyfile(shot["source"], path)
        stamp = shot["local"].strftime("%Y:%m:%d %H:%M:%S")
        args += ["-q", "-q", "-overwrite_original", "-gps:all=", "-OffsetTime*=", "-DateTimeOriginal=" + stamp,
                 "-CreateDate=" + stamp, "-ModifyDate=" + stamp]
        is_phone = shot["place"] is not None
        if is_phone:
            lat, lon = shot["place"]
            args += ["-OffsetTimeOriginal=" + offset_text(shot["offset"]), "-OffsetTime=" + offset_text(shot["offset"]),
                     "-GPSLatitude=%.6f" % abs(lat), "-GPSLatitudeRef=" + ("N" if lat >= 0 else "S"),
                     "-GPSLongitude=%.6f" % abs(lon), "-GPSLongitudeRef=" + ("E" if lon >= 0 else "W")]
        args += [path, "-execute"]
        day_key = shot["day"]
        day_ids.setdefault(day_key, len(day_ids) + 1)
        utc = int(shot["utc"].replace(tzinfo=dt.timezone.utc).timestamp())
        labels.append("%d,%s,%d,%d,%d,%d" % (half, name, utc, shot["event"], day_ids[day_key], shot["stay"]))
    argfile = os.path.join(out, "args%d.txt" % half)
    with open(argfile, "w") as f:
        f.write("\n".join(args) + "\n")
    subprocess.run(["exiftool", "-@", argfile], check=True)
    os.remove(argfile)


def main():
    if len(sys.argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    photos, testdata, out = sys.argv[1:]
    labels = ["half,file,utc,event,day,place"]
    for half in (1, 2):
        rng = random.Random(2024 + half)
        maker = Maker(photos, testdata, rng)
        make_half(maker, half)
        write_half(out, half, maker.shots, rng, labels)
    with open(os.path.join(out, "labels.csv"), "w") as f:
        f.write("\n".join(labels) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
