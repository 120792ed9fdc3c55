"""orbalt-bench.exe under Wine: a run of every drawing path with its results
as CSV, JSON and HTML, the same workload and pixel verdicts from two runs, a
driver without the compiled-array extension, and the exit codes of a bad
argument and of a results file that cannot be written."""

import csv
import io
import json
import os
import re
import unittest

from harness import Session

BENCH = "orbalt-bench.exe"
COLUMNS = ["mode", "method", "lock", "lists", "supported", "fps", "bare_fps", "ratio", "ratio_min", "ratio_max",
           "p50_ms", "p95_ms", "p99_ms", "max_ms", "compile_ms", "differing_pixels", "capped", "renderer",
           "width", "height", "swap_interval", "workload_hash"]
MODES = {"points", "sections", "wireframe", "solid flat", "solid smooth"}
QUICK = ["--seconds", "0.05", "--rounds", "1"]  # a short run where only the verdicts count


class Bench(unittest.TestCase):
    def run_bench(self, session, args, env=None, timeout=240, terminal=False):
        """Runs the benchmark to its end; returns its exit code and console."""
        program = session.launch(args, exe=BENCH, env=env, terminal=terminal)
        code = program.wait_exit(timeout)
        return code, program.console()

    def results_path(self, session, name):
        return os.path.join(session.tmp, name)

    def read_json(self, session, name, args):
        code, console = self.run_bench(session, args + ["--results", name])
        self.assertEqual(code, 0, console)
        with open(self.results_path(session, name), encoding="utf-8") as results:
            return json.load(results)

    def test_csv_rows_of_every_path_with_sane_ratios(self):
        with Session("bench_csv") as session:
            code, console = self.run_bench(session, ["--seconds", "0.2", "--rounds", "3", "--results", "r.csv"])
            self.assertEqual(code, 0, console)
            self.assertIn("[30/30]", console)
            with open(self.results_path(session, "r.csv"), newline="", encoding="utf-8") as results:
                rows = list(csv.reader(results))
        self.assertEqual(rows[0], COLUMNS)
        paths = [dict(zip(COLUMNS, row)) for row in rows[1:]]
        self.assertEqual(len(paths), 30)
        self.assertEqual({p["mode"] for p in paths}, MODES)
        self.assertEqual(len({(p["mode"], p["method"], p["lock"], p["lists"]) for p in paths}), 30)
        for path in paths:
            with self.subTest(path["mode"], method=path["method"], lock=path["lock"], lists=path["lists"]):
                self.assertEqual(path["supported"], "yes")
                ratio, low, high = float(path["ratio"]), float(path["ratio_min"]), float(path["ratio_max"])
                self.assertTrue(0.05 < low <= ratio <= high < 20.0, (low, ratio, high))
                self.assertGreater(float(path["fps"]), 0.0)
                p50, p95, p99, longest = (float(path[k]) for k in ("p50_ms", "p95_ms", "p99_ms", "max_ms"))
                self.assertTrue(0.0 < p50 <= p95 <= p99 <= longest, (p50, p95, p99, longest))
                self.assertEqual((path["width"], path["height"]), ("640", "480"))
                self.assertRegex(path["workload_hash"], r"^[0-9a-f]{16}$")

    def test_json_twice_and_html_agree_on_workload_and_pixel_verdicts(self):
        with Session("bench_json") as session:
            first = self.read_json(session, "first.json", QUICK)
            second = self.read_json(session, "second.json", QUICK)
            code, console = self.run_bench(session, QUICK + ["--paths", "solid*", "--results", "r.html"])
            self.assertEqual(code, 0, console)
            with open(self.results_path(session, "r.html"), encoding="utf-8") as page:
                html = page.read()
        header = first["header"]
        self.assertIn("llvmpipe", header["gl_renderer"].lower() + header["gl_vendor"].lower())
        self.assertRegex(header["workload_hash"], r"^[0-9a-f]{16}$")
        self.assertNotEqual(header["wine_version"], "")
        self.assertEqual(second["header"]["workload_hash"], header["workload_hash"])
        verdicts = [(p["name"], p["differing_pixels"]) for p in first["paths"]]
        self.assertEqual(len(verdicts), 30)
        self.assertEqual([(p["name"], p["differing_pixels"]) for p in second["paths"]], verdicts)
        # The page stands alone: its charts are inline, one bar a path in each.
        self.assertIn(header["workload_hash"], html)
        self.assertNotIn("<script", html.lower())
        self.assertNotRegex(html, r"(src|href)=\"https?:")
        self.assertEqual(html.count("solid-smooth/arrays+lock/lists"), html.count("solid-flat/direct/no-lists"))
        self.assertNotIn("points/direct", html)

    def test_without_compiled_arrays_lock_paths_are_unsupported_and_the_rest_run(self):
        with Session("bench_no_lock") as session:
            code, console = self.run_bench(
                session, QUICK + ["--paths", "*lock*,points/*", "--results", "r.json"],
                env={"MESA_EXTENSION_OVERRIDE": "-GL_EXT_compiled_vertex_array"})
            self.assertEqual(code, 0, console)
            with open(self.results_path(session, "r.json"), encoding="utf-8") as results:
                paths = json.load(results)["paths"]
        self.assertEqual(len(paths), 14)  # 10 lock paths and 6 points paths, 2 of them both
        for path in paths:
            with self.subTest(path["name"]):
                self.assertEqual(path["supported"], not path["lock"])
                self.assertEqual(path["fps"] is None, path["lock"])
        self.assertIn("unsupported", console)

    def test_bad_argument_exits_2_and_an_unwritable_results_file_exits_3(self):
        with Session("bench_exits") as session:
            code, console = self.run_bench(session, ["--rounds", "0"])
            self.assertEqual(code, 2, console)
            self.assertIn("--rounds", console)
            self.assertIn("usage", console.lower())
            code, console = self.run_bench(session, ["--results", "no such folder\\r.csv"])
            self.assertEqual(code, 3, console)
            self.assertRegex(console, r"cannot write no such folder\\r\.csv: system error 3: ")
            self.assertFalse(os.path.exists(os.path.join(session.tmp, "no such folder")))

    def test_on_a_console_of_its_own_it_shows_progress_and_ends_without_waiting(self):
        # Under Wine the console is the terminal's, which stays: no prompt for Enter holds the run.
        with Session("bench_console") as session:
            code, console = self.run_bench(session, QUICK + ["--paths", "points/direct/no-lists"], timeout=60,
                                           terminal=True)
        self.assertEqual(code, 0, console)
        self.assertIn("[ 1/1] points/direct/no-lists", console)
        self.assertNotIn("Press Enter", console)


if __name__ == "__main__":
    unittest.main()
