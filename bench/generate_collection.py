#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Writes a synthetic aircraft collection for timing the catalogue.

    generate_collection.py OUTDIR [--folders 3000] [--variations 10] [--seed 1]

OUTDIR/<folder>/aircraft.cfg is written for every folder: the [fltsim.N] sections
first (title, sim, model, panel, sound, texture, atc_*, ui_*, description), then
the long flight-model sections, about 8 KB a file with CR LF line ends, the way
add-ons ship them. The same seed always gives the same bytes. No pictures, models
or panels are written: the benchmark measures listing only.
"""

from __future__ import annotations

import argparse
import os
import random
import sys
import time

MAKERS = [
    "Aerovista", "Northwind Aero", "Halvorsen", "Kestrel Aircraft", "Meridian",
    "Castellan", "Pemberton", "Tundra Works", "Rotorline", "Sailwing",
    "Bluecrest", "Orrin & Vale", "Corvid Aviation", "Lindqvist", "Marchetti-Roux",
    "Saltmarsh", "Ironbark", "Skyward Federal", "Hollis", "Vantage",
    "Albatros Werke", "Pacifica", "Stratoline", "Brightwater", "Eastwind",
]

FAMILIES = [
    # (model stem, kind, wing span ft, empty weight lb, max gross lb)
    ("Skylark", "piston", 36, 1450, 2550),
    ("Trainer", "piston", 33, 1100, 1670),
    ("Ranger", "piston", 38, 2100, 3600),
    ("Courier", "piston", 41, 2700, 4400),
    ("Commuter", "turboprop", 54, 9100, 15000),
    ("Islander", "turboprop", 49, 5600, 8800),
    ("Stratus", "jet", 52, 10300, 16800),
    ("Liner", "jet", 112, 91000, 169000),
    ("Heavy", "jet", 196, 390000, 870000),
    ("Regional", "jet", 85, 44000, 82000),
    ("Heron", "helo", 36, 2100, 3350),
    ("Glider", "glider", 49, 620, 1100),
]

LIVERIES = [
    "Factory", "Red Stripe", "Blue Stripe", "Polished", "Night", "Coastguard",
    "Air Taxi", "Flying Club", "Military Grey", "Desert Tan", "Arctic White",
    "Racing Green", "Sunset", "Old Glory", "Charter", "Cargo", "Medevac",
    "Survey", "Retro", "Clean",
]

AIRLINES = [
    "Pinecone Air", "Gullwing Express", "Harbour Shuttle", "Ridgeway Airlines",
    "Tallgrass Air", "Lakeshore Connect", "Sundown Charter", "Corvid Cargo",
]

AUTHORS = [
    "J. Okafor", "M. Lindgren", "the Northwind team", "R. Castellanos",
    "P. Whitcombe", "S. Adeyemi", "K. Tanaka", "L. Moreau", "D. Brannigan",
]

SENTENCES = [
    "Repainted from the factory scheme with a new tail logo.",
    "Virtual cockpit with working gauges and night lighting.",
    "Flight dynamics tuned against published climb and cruise figures.",
    "Includes a 2D panel with a pop-up GPS and radio stack.",
    "Textures are 1024 pixels square with alpha reflections.",
    "Animated doors, control surfaces and a folding pilot seat.",
    "Sound set recorded from a restored example at a small airfield.",
    "Use at your own risk; freeware, do not upload to pay sites.",
    "Thanks to the beta testers for many evenings of circuits.",
    "Fuel load defaults to half tanks for realistic take-off runs.",
    "Landing lights cast on the runway when switched on.",
    "Model built with an invented gear layout for rough strips.",
]

# Folder name patterns and how often each is picked; about one name in six has a blank.
FOLDER_STYLES = ("{mk}_{stem}_{num}", "{MK}_{stem}-{num}", "{mk} {stem} {num}", "{mk}{stem}{num}",
                 "{mk_l}_{stem_l}_{num_l}_v{ver}", "{stem} {num} by {auth}", "{MK}-{STEM}-{num}-ISH",
                 "{mk}_{stem}_{num} ({livery})", "{stem_l}{num_l}")
FOLDER_WEIGHTS = (30, 15, 6, 10, 12, 4, 10, 6, 7)


def folder_name(rng: random.Random, index: int, mk: str, stem: str, num: str, used: set[str]) -> str:
    style = rng.choices(FOLDER_STYLES, FOLDER_WEIGHTS)[0]
    mk_plain = mk.replace(" ", "_").replace("&", "and")
    name = style.format(
        mk=mk_plain, MK=mk_plain.upper(), mk_l=mk_plain.lower(), stem=stem, STEM=stem.upper(),
        stem_l=stem.lower(), num=num, num_l=num.lower(), ver=rng.randint(1, 9),
        auth=rng.choice(AUTHORS).replace(".", "").replace(" ", "_"), livery=rng.choice(LIVERIES))
    # A few names grow long, the way re-packed downloads do.
    if rng.random() < 0.08:
        name += "_" + "_".join(rng.sample(["FS2004", "update", "fixed", "final", "HD", "panel", "sound"], 3))
    if name.lower() in used:
        name = f"{name}_{index}"
    used.add(name.lower())
    return name


def fltsim_section(rng: random.Random, n: int, title: str, mk: str, ui_type: str, livery: str,
                   kind: str, model_code: str, reg: str) -> list[str]:
    texture = "" if n == 0 else livery.lower().replace(" ", "_")
    airline = rng.choice(AIRLINES) if kind in ("jet", "turboprop") else ""
    flight = str(rng.randint(100, 9999)) if airline else ""
    desc_parts = rng.sample(SENTENCES, rng.randint(1, 2))
    desc = " ".join(desc_parts) + f"\\nModel and paint by {rng.choice(AUTHORS)}."
    return [
        f"[fltsim.{n}]",
        f"title={title}",
        f"sim={model_code}",
        "model=",
        "panel=",
        "sound=",
        f"texture={texture}",
        f"atc_id={reg}",
        f"atc_airline={airline}",
        f"atc_flight_number={flight}",
        f"ui_manufacturer={mk}",
        f"ui_type={ui_type}",
        f"ui_variation={livery}",
        f"description={desc}",
        "",
    ]


def engine_sections(rng: random.Random, kind: str) -> list[str]:
    if kind == "piston":
        hp = rng.choice((100, 115, 150, 180, 230, 260, 300))
        return [
            "[GeneralEngineData]", "engine_type = 0", "Engine.0 = -3.2, 0, 0", "fuel_flow_scalar = 1",
            "min_throttle_limit = 0", "",
            "[piston_engine]", "power_scalar = 1", f"cylinder_displacement = {rng.choice((60, 90, 108, 135))}",
            "compression_ratio = 8.5", "number_of_cylinders = 4", "max_rated_rpm = 2700",
            f"max_rated_hp = {hp}", "fuel_metering_type = 1", "cooling_type = 0",
            "normalized_starter_torque = 0.3", "turbocharged = 0", "max_design_mp = 0",
            "min_design_mp = 0", "critical_altitude = 0", "fuel_air_auto_mixture = 0", "auto_ignition = 0", "",
            "[propeller]", "thrust_scalar = 1", "propeller_type = 1", f"propeller_diameter = {rng.uniform(5.8, 7.2):.2f}",
            "propeller_blades = 2", "propeller_moi = 3.5", "beta_max = 32", "beta_min = 12",
            "min_gov_rpm = 700", "prop_tc = 0.1", "gear_reduction_ratio = 1", "",
        ]
    if kind in ("turboprop", "helo"):
        return [
            "[GeneralEngineData]", f"engine_type = {5 if kind == 'turboprop' else 3}",
            "Engine.0 = 3.8, -8.2, -0.4", "Engine.1 = 3.8, 8.2, -0.4", "fuel_flow_scalar = 1",
            "min_throttle_limit = -0.25", "",
            "[turbineengine]", "fuel_flow_gain = 0.002", "inlet_area = 1.2", "rated_N2_rpm = 37500",
            f"static_thrust = {rng.randint(700, 1400)}", "reverser_available = 1", "reverser_mach_controlled = 0",
            "afterburner_available = 0", "mach_0_corrected_commanded_ne = 0.0000:0.0000,0.1000:0.6300,0.2000:0.7800",
            "n1_to_oil_pressure_table = 0.000000:0.000000, 0.200000:0.750000, 0.900000:0.850000",
            "primary_nozzle_afterburner_offset = 0.000000", "", "[turboprop_engine]",
            f"power_scalar = {rng.uniform(0.9, 1.2):.2f}", "maximum_torque = 1700", "torque_limit = 1700",
            "itt_peak_temperature = 1400", "itt_limit = 1400", "fuel_flow_max_itt = 380",
            "fuel_flow_min_itt = 64", "", "[propeller]", "thrust_scalar = 1", "propeller_type = 0",
            "propeller_diameter = 8.8", "propeller_blades = 4", "propeller_moi = 15", "beta_max = 50",
            "beta_min = 10", "min_gov_rpm = 1200", "prop_tc = 0.08", "gear_reduction_ratio = 15.94",
            "prop_feathering_available = 1", "prop_reverse_available = 1", "minimum_on_ground_beta = -14", "",
        ]
    if kind == "glider":
        return ["[GeneralEngineData]", "engine_type = 2", "fuel_flow_scalar = 0", "min_throttle_limit = 0", ""]
    return [
        "[GeneralEngineData]", "engine_type = 1", "Engine.0 = -6.0, -16.5, -3.5", "Engine.1 = -6.0, 16.5, -3.5",
        "fuel_flow_scalar = 1", "min_throttle_limit = 0", "",
        "[turbineengine]", "fuel_flow_gain = 0.002", f"inlet_area = {rng.uniform(6, 38):.1f}",
        "rated_N2_rpm = 29920", f"static_thrust = {rng.randint(3500, 60000)}", "reverser_available = 1",
        "reverser_mach_controlled = 0", "afterburner_available = 0",
        "mach_0_corrected_commanded_ne = 0.000000:0.680000, 0.900000:0.960000, 1.000000:1.000000",
        "mach_0_corrected_fuel_flow_ne = 0.680000:0.060000, 0.900000:0.220000, 1.000000:0.400000",
        "n1_to_oil_pressure_table = 0.000000:0.000000, 0.200000:0.750000, 0.900000:0.850000",
        "primary_nozzle_afterburner_offset = 0.000000", "", "[jet_engine]", "thrust_scalar = 1.0", "",
    ]


def flight_model(rng: random.Random, kind: str, span: int, empty: int, gross: int,
                 atc_type: str, atc_model: str) -> list[str]:
    area = round(span * span / rng.uniform(7.5, 9.5))
    cruise = {"piston": 120, "turboprop": 260, "jet": 420, "helo": 120, "glider": 60}[kind] + rng.randint(-15, 25)
    stall = max(35, round(cruise * rng.uniform(0.3, 0.42)))
    lines = [
        "[General]", f"atc_type={atc_type}", f"atc_model={atc_model}", "editable=1",
        f"performance=Cruise Speed\\n{cruise} kts\\n\\nEngine\\n{kind}\\n\\nMaximum Range\\n{rng.randint(300, 6000)} nm",
        "Category=" + ("Helicopter" if kind == "helo" else "airplane"), "",
        "[WEIGHT_AND_BALANCE]", f"max_gross_weight = {gross}", f"empty_weight = {empty}",
        "reference_datum_position = 0, 0, 0", f"empty_weight_CG_position = {rng.uniform(-3, 1):.2f}, 0, 0",
        "max_number_of_stations = 50", "station_load.0 = 170, 2.0, -1.0, 0.0",
        f"station_load.1 = {rng.randint(0, 400)}, -1.0, 1.0, 0.0", f"station_load.2 = {rng.randint(0, 900)}, -4.5, 0.0, 0.0",
        f"empty_weight_pitch_MOI = {round(empty * rng.uniform(0.8, 1.4))}",
        f"empty_weight_roll_MOI = {round(empty * rng.uniform(0.5, 1.1))}",
        f"empty_weight_yaw_MOI = {round(empty * rng.uniform(1.2, 1.9))}", "empty_weight_coupled_MOI = 0", "",
        "[flaps.0]", "type = 1", "span-outboard = 0.5", f"extending-time = {rng.randint(4, 20)}",
        "flaps-position.0 = 0", "flaps-position.1 = 10", "flaps-position.2 = 20", "flaps-position.3 = 30",
        f"damaging-speed = {round(cruise * 0.85)}", f"blowout-speed = {round(cruise * 0.95)}",
        "lift_scalar = 1", "drag_scalar = 1", "pitch_scalar = 1", "system_type = 0", "",
        "[contact_points]",
        f"point.0 = 1, {rng.uniform(2, 9):.2f}, 0.00, -4.10, 1600, 0, 0.50, 35.0, 0.30, 2.5, 0.70, 6.0, 6.0, 0, {stall + 40}, {stall + 60}",
        f"point.1 = 1, {rng.uniform(-3, -1):.2f}, -4.60, -4.30, 1800, 1, 0.50, 0.0, 0.30, 2.5, 0.70, 6.0, 6.0, 2, {stall + 40}, {stall + 60}",
        f"point.2 = 1, {rng.uniform(-3, -1):.2f}, 4.60, -4.30, 1800, 2, 0.50, 0.0, 0.30, 2.5, 0.70, 6.0, 6.0, 3, {stall + 40}, {stall + 60}",
        f"point.3 = 2, -2.00, {-span / 2:.2f}, 0.00, 1500, 0, 0, 0, 0, 0, 0, 0, 0, 5",
        f"point.4 = 2, -2.00, {span / 2:.2f}, 0.00, 1500, 0, 0, 0, 0, 0, 0, 0, 0, 6",
        "point.5 = 2, -18.00, 0.00, 2.00, 1500, 0, 0, 0, 0, 0, 0, 0, 0, 9",
        "max_number_of_points = 6", "static_pitch = 0.0", f"static_cg_height = {rng.uniform(2.5, 9):.2f}",
        "gear_system_type = 1", "",
    ]
    lines += engine_sections(rng, kind)
    lines += [
        "[airplane_geometry]", f"wing_area = {area}", f"wing_span = {span}",
        f"wing_root_chord = {area / span * 1.2:.2f}", f"wing_dihedral = {rng.uniform(0, 6):.1f}",
        "wing_twist = -3.0", f"oswald_efficiency_factor = {rng.uniform(0.6, 0.85):.2f}",
        f"wing_sweep = {0 if kind != 'jet' else rng.randint(20, 37)}",
        "wing_pos_apex_lon = -1.5", f"htail_area = {round(area * 0.22)}",
        f"htail_span = {round(span * 0.33)}", f"htail_pos_lon = {-span * 0.4:.1f}", "htail_pos_vert = 0.0",
        "htail_sweep = 5.0", f"vtail_area = {round(area * 0.11)}",
        f"vtail_span = {round(span * 0.15)}", "vtail_sweep = 30.0", f"vtail_pos_lon = {-span * 0.42:.1f}",
        "vtail_pos_vert = 2.5", f"elevator_area = {round(area * 0.08)}", f"aileron_area = {round(area * 0.08)}",
        f"rudder_area = {round(area * 0.04)}", "elevator_up_limit = 28.0", "elevator_down_limit = 21.0",
        "aileron_up_limit = 20.0", "aileron_down_limit = 15.0", "rudder_limit = 24.0",
        "elevator_trim_limit = 19.5", "",
        "[Views]", f"eyepoint = {span * rng.uniform(0.02, 0.3):.2f}, -0.85, {span * rng.uniform(0.03, 0.08):.2f}", "",
        "[Radios]", "// Radio Type = available, standby frequency, has glide slope", "Audio.1 = 1",
        "Com.1 = 1, 1", "Com.2 = 1, 1", "Nav.1 = 1, 1, 1", "Nav.2 = 1, 1, 0", "Adf.1 = 1",
        "Transponder.1 = 1", "Marker.1 = 1", "",
        "[electrical]", f"max_battery_voltage = {rng.choice((12.0, 24.0))}",
        "generator_alternator_voltage = 28.0", f"max_generator_alternator_amps = {rng.choice((40, 60, 100, 300))}.0",
        "engine_generator_map = 1, 1", "electric_always_available = 0", "flap_motor = 0, 5, 17.0",
        "gear_motor = 0, 5, 17.0", "autopilot = 0, 5, 17.0", "avionics_bus = 0, 10, 17.0",
        "avionics = 1, 5, 17.0", "pitot_heat = 0, 2, 17.0", "fuel_pump = 0, 5, 17.0",
        "starter1 = 0, 20, 17.0", "light_nav = 0, 5, 17.0",
        "light_landing = 0, 5, 17.0", "",
        "[hydraulic_system]", "normal_pressure = 3000.0", "engine_map = 1, 1", "",
        "[brakes]", "parking_brake = 1", "toe_brakes_scale = 1.0", "",
        "[gear_warning_system]", "gear_warning_available = 1", "pct_throttle_limit = 0.1",
        "flap_limit_power = 25.0", "flap_limit_idle = 0.0", "",
        "[direction_indicators]", "direction_indicator.0 = 1, 0", "",
        "[attitude_indicators]", "attitude_indicator.0 = 1", "",
        "[autopilot]", "autopilot_available = 1", f"flight_director_available = {int(kind == 'jet')}",
        "default_vertical_speed = 700", f"autothrottle_available = {int(kind == 'jet')}",
        "max_pitch = 10.0", "max_bank = 25.0", "max_throttle_rate = 0.10", "yaw_damper_gain = 1.0", "",
        "[pitot_static]", "vertical_speed_time_constant = 1", "pitot_heat = 1", "",
        "[stall_warning]", "type = 1", "",
        "[exits]", "number_of_exits = 1", "exit_rate.0 = 0.4", "",
        "[keyboard_response]", "elevator = 150, 250", "aileron = 150, 250", "rudder = 150, 250", "",
        "[Reference Speeds]", f"flaps_up_stall_speed = {stall}.0", f"full_flaps_stall_speed = {stall - 5}.0",
        f"cruise_speed = {cruise}.0", f"max_indicated_speed = {round(cruise * 1.3)}", "",
        "[forcefeedback]", "gear_bump_nose_magnitude = 3000", "ground_bumps_magnitude1 = 3250",
        "crash_magnitude1 = 10000", "",
        "[effects]", "wake = fx_wake", "water = fx_spray", "dirt = fx_tchdrt", "concrete = fx_sparks",
        "touchdown = fx_tchdwn_s, 1", "",
        "[LIGHTS]", "// Types: 1=beacon, 2=strobe, 3=navigation, 4=cockpit, 5=landing",
        f"light.0 = 3, -3.30, {-span / 2:.2f}, 3.25, fx_navredm",
        f"light.1 = 3, -3.30, {span / 2:.2f}, 3.25, fx_navgrnm",
        "light.2 = 1, -8.60, 0.00, 2.70, fx_beaconh", "light.3 = 5, 2.00, 0.00, -1.00, fx_landing", "",
        "[fuel]", f"Center1 = -3.0, 0.0, 0.0, {rng.randint(20, 9000)}.0, 0.0",
        f"LeftMain = -2.0, -8.0, 1.0, {rng.randint(13, 20000)}.0, 3.0",
        f"RightMain = -2.0, 8.0, 1.0, {rng.randint(13, 20000)}.0, 3.0",
        f"fuel_type = {2 if kind in ('piston', 'glider') else 1}", "number_of_tank_selectors = 1",
        "electric_pump = 0", "engine_driven_pump = 1", "",
    ]
    return lines


def furnish(folder: str, lines: list[str]) -> None:
    """Create what the entries name, as an installed aircraft has it: the model, panel, sound
    and texture folders (each texture folder with its thumbnail.jpg) and the .air file."""
    for line in lines:
        key, sep, value = line.partition("=")
        if not sep:
            continue
        key, value = key.strip().lower(), value.strip()
        if key in ("model", "panel", "sound", "texture"):
            part = os.path.join(folder, f"{key}.{value}" if value else key)
            os.makedirs(part, exist_ok=True)
            if key == "texture":
                # The selector's picture of the variation, as an installed livery has it.
                open(os.path.join(part, "thumbnail.jpg"), "ab").close()
        elif key == "sim" and value:
            open(os.path.join(folder, value + ".air"), "ab").close()


def generate(outdir: str, folders: int, variations: int, seed: int, furnished: bool = False) -> tuple[int, int]:
    rng = random.Random(seed)
    os.makedirs(outdir, exist_ok=True)
    used_folders: set[str] = set()
    used_titles: set[str] = set()
    total_bytes = 0
    for i in range(folders):
        mk = rng.choice(MAKERS)
        stem, kind, span, empty, gross = rng.choice(FAMILIES)
        num = f"{rng.choice('ABCDEFHJKLMRSTVX')}{rng.choice('ABCDEFHJKLMRSTVX-')}{rng.randint(1, 999)}".replace("--", "-")
        ui_type = f"{stem} {num}"
        name = folder_name(rng, i, mk, stem, num, used_folders)
        model_code = f"{mk.split()[0].lower()}_{stem.lower()}"
        atc_type = mk.split()[0].upper()
        lines: list[str] = []
        liveries = rng.sample(LIVERIES, min(variations, len(LIVERIES)))
        for n in range(variations):
            livery = liveries[n] if n < len(liveries) else f"{rng.choice(LIVERIES)} {n}"
            reg = f"N{rng.randint(100, 99999)}{rng.choice('ABCDEFGHJKLMNPRSTUVWXYZ')}"
            title = f"{mk} {ui_type} {livery}"
            if title.lower() in used_titles:
                title = f"{title} {reg}"
            while title.lower() in used_titles:
                title = f"{title} #{rng.randint(2, 99999)}"
            used_titles.add(title.lower())
            lines += fltsim_section(rng, n, title, mk, ui_type, livery, kind, model_code, reg)
        lines += flight_model(rng, kind, span, empty, gross, atc_type, num)
        if kind == "jet":
            lines.insert(lines.index("[General]") + 1, f"atc_heavy={int(gross > 300000)}")
        text = "\r\n".join(lines) + "\r\n"
        # Tools that saved the file decide the spacing: most write "key=value" in the
        # flight-model sections, some keep the blanks around "=".
        if rng.random() < 0.6:
            text = text.replace(" = ", "=")
        data = text.encode("ascii")
        folder = os.path.join(outdir, name)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "aircraft.cfg"), "wb") as f:
            f.write(data)
        if furnished:
            furnish(folder, lines)
        total_bytes += len(data)
    return folders, total_bytes


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description="Write a synthetic aircraft collection for the benchmark.")
    parser.add_argument("outdir", help="directory that receives one folder per aircraft")
    parser.add_argument("--folders", type=int, default=3000, help="aircraft folders to write (default 3000)")
    parser.add_argument("--variations", type=int, default=10, help="[fltsim.N] sections per aircraft (default 10)")
    parser.add_argument("--seed", type=int, default=1, help="random seed; the same seed gives the same files")
    parser.add_argument("--furnished", action="store_true",
                        help="also create the folders and .air files the entries name")
    args = parser.parse_args(argv)
    if args.folders < 1 or args.variations < 1:
        parser.error("--folders and --variations must be at least 1")
    # Folders left from an earlier, larger collection would be measured too.
    if os.path.isdir(args.outdir) and os.listdir(args.outdir):
        parser.error(f"{args.outdir} is not empty; remove it or pick another directory")
    start = time.perf_counter()
    count, size = generate(args.outdir, args.folders, args.variations, args.seed, args.furnished)
    elapsed = time.perf_counter() - start
    print(f"wrote {count} folders, {count * args.variations} variations, {size / 1e6:.1f} MB of aircraft.cfg "
          f"to {args.outdir} in {elapsed:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
