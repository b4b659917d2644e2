"""The spreadsheets of pilecalc read back with openpyxl: every cell shows what the text table or
the list shows, numbers as numbers with the decimals of their text, and each sheet has its
header frozen over an autofilter.

Usage: read_back.py PILECALC WORK_FOLDER"""
import json
import subprocess
import sys
import unittest

import openpyxl

PILECALC, WORK = sys.argv[1], sys.argv[2]


def run(args, stdin):
    done = subprocess.run([PILECALC, *args], input=stdin.encode(), capture_output=True)
    if done.returncode != 0:
        raise AssertionError(f"pilecalc {args}: {done.returncode} {done.stderr.decode()}")
    return done.stdout.decode()


def shown(cell):
    """The text a cell shows: a number by the decimals of its format."""
    if cell.value is None:
        return ""
    if cell.data_type != "n":
        return cell.value
    fmt = cell.number_format
    decimals = len(fmt.split(".")[1].split('"')[0]) if "." in fmt else 0
    text = f"{cell.value:.{decimals}f}"
    return text + "%" if fmt.endswith('"%"') else text


def is_number(text):
    body = text[:-1] if text.endswith("%") else text
    try:
        float(body)
    except ValueError:
        return False
    return body.lstrip("-").replace(".", "", 1).isdigit()


class SheetChecks(unittest.TestCase):
    def check_sheet(self, ws, rows):
        self.assertEqual(ws.freeze_panes, "A2")
        self.assertEqual(ws.auto_filter.ref.split(":")[0], "A1")
        self.assertEqual(ws.max_row, len(rows) + 1)
        for sheet_row in ws.iter_rows(min_row=2):
            for cell in sheet_row:
                text = shown(cell)
                if text and is_number(text):
                    self.assertEqual(cell.data_type, "n", f"{cell.coordinate} {text}")

    BOOK_LINES = "\n".join([
        "{}",
        '{"d":"1234.5","hr":"2.5d","grade":"C45"}',
        '{"precision":0}',
        '{"section":1,"d":"1500","c":"700","rock":"fuk","fuk":"12.3"}',
        '{"precision":2}',
        '{"section":2,"d":"1600","c":"1600","hr":"3000"}',
        '{"action":"deleteLast"}',
        '{"precision":4}',
        '{"section":2,"d":"1600","c":"1600","hr":"3000"}',
        '{"precision":1}',
        '{"d":"800","frk":"5.55"}',
    ]) + "\n"

    def test_summary_tables_of_both_formulas(self):
        lines = self.BOOK_LINES
        two = lines.replace(
            '{"d":"800","frk":"5.55"}',
            '{"d":"800","negativeFriction":true,"sideResistance":true,'
            '"drag":{"layers":[["-10","17","0.3","25"],["-15","18.5","0.25","30"]]},'
            '"side":{"layers":[["5","40.5"]]}}')
        for formula, piles in (("1", lines), ("2", two)):
            with self.subTest(formula=formula):
                path = f"{WORK}/table{formula}.xlsx"
                text = run(["book", "--formula", formula, "--table"], piles).splitlines()
                run(["book", "--formula", formula, "--table", "--xlsx", path], piles)
                rows = text[5:-4]
                ws = openpyxl.load_workbook(path)["汇总表"]
                self.check_sheet(ws, rows)
                for row, sheet_row in zip(rows, ws.iter_rows(min_row=2)):
                    # The cells joined are the row without the blanks that pad it.
                    self.assertEqual("".join(shown(c) for c in sheet_row).replace(" ", ""),
                                     row.replace(" ", ""))
        soil = openpyxl.load_workbook(f"{WORK}/table2.xlsx")["土层"]
        self.assertEqual([[shown(c) for c in r] for r in soil.iter_rows(min_row=2)], [
            ["ZH4", "负摩阻力", "1", "新近填土", "10.00", "-0.300", "-0.900", "-10", "17", "0.3",
             "", "25"],
            ["ZH4", "负摩阻力", "2", "", "10.00", "-0.300", "-0.900", "-15", "18.5", "0.25", "",
             "30"],
            ["ZH4", "侧阻力", "1", "", "", "", "", "", "", "", "5", "40.5"]])

    def test_lists_of_both_formulas(self):
        request = json.dumps({
            "precision": 2,
            "items": [["1", "3", "1"], ["1000", "1200", "100"], ["600", "800", "200"],
                      ["2000", "2000", "500"], ["1500", "1500", "500"], ["1000", "1000", "500"],
                      ["2.0d", "2.5d", "0.5d"], ["1", "2", "1"], ["35", "35", "1"],
                      ["10", "10", "1"], ["C30", "C35", "5"], ["1", "2", "1"]]})
        for formula in ("1", "2"):
            with self.subTest(formula=formula):
                path = f"{WORK}/list{formula}.xlsx"
                state = json.loads(run(["search", "--formula", formula, "--xlsx", path],
                                       request))
                ws = openpyxl.load_workbook(path)["原始结果"]
                headers = [c.value for c in ws[1]]
                columns = [[h.strip() for h in state["headers"]].index(h) for h in headers]
                self.assertGreater(len(state["raw"]), 10)
                self.check_sheet(ws, state["raw"])
                for row, sheet_row in zip(state["raw"], ws.iter_rows(min_row=2)):
                    self.assertEqual([shown(c) for c in sheet_row], [row[i] for i in columns])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
