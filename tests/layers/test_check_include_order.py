#!/usr/bin/env python3
"""The include-order checker on temporary trees: what it accepts, and that it names the file and
line of every include against the order."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'check-include-order')


def run(tree):
    with tempfile.TemporaryDirectory() as root:
        for rel, text in tree.items():
            path = os.path.join(root, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
        done = subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)
        return done.returncode, done.stdout.splitlines()


# A tree whose includes all point down the layers.
SOUND = {
    'numeric/Errors.h': '#pragma once\n',
    'numeric/Checked.h': '#pragma once\n#include "Errors.h"\n#include <cmath>\n',
    'engine/Errors.h': '#pragma once\n#include "numeric/Errors.h"\n',
    'rock/clsRock.h': '#pragma once\n#include "numeric/Checked.h"\n',
    'engine/Q7Objects.h': '#pragma once\n#include "rock/clsRock.h"\n',
    'writers/clsECL.h': '#pragma once\n#include "engine/Errors.h"\n#include "rock/clsRock.h"\n#include <string>\n',
    'store/clsQ7IO.h': '#pragma once\n#include <QSqlDatabase>\n#include "engine/Errors.h"\n',
    'batch/RunCase.cpp': '#include "writers/clsECL.h"\n#include "store/clsQ7IO.h"\n',
    'ui/InputBox.h': '#pragma once\n#include <QLineEdit>\n#include "engine/Errors.h"\n',
    'store/ui/frmOpen.cpp': '#include "store/clsQ7IO.h"\n#include "ui/InputBox.h"\n',
    'writers/ui/frmECL.cpp': '#include "writers/clsECL.h"\n  #  include "ui/InputBox.h"\n',
    'app/frmMain.cpp': '#include "store/ui/frmOpen.h"\n#include "writers/ui/frmECL.h"\n#include "ui/InputBox.h"\n',
    'app/frmECLProjects.cpp': '#include "store/StoredProject.h"\n#include "writers/ui/frmECL.h"\n',
    'thesaurus/ThesFile.cpp': '#include "thesaurus/ThesFile.h"\n#include <QFile>\n',
    'tests/app/AppTestSupport.h': '#pragma once\n#include "app/frmMain.h"\n',
    'tests/app/InputTest.cpp': '#include "AppTestSupport.h"\n#include "tests/writers/Support.h"\n',
    'tests/writers/Support.h': '#pragma once\n#include "writers/clsECL.h"\n',
    'tests/store/CommandTest.cpp': '#include "batch/RunCase.h"\n',
    'bench/engine/bench.cpp': '#include "rock/clsRock.h"\n',
}


class IncludeOrderTest(unittest.TestCase):
    def test_a_tree_pointing_down_the_layers_passes(self):
        code, out = run(SOUND)
        self.assertEqual(code, 0, out)

    def test_each_include_against_the_order_is_named_with_file_and_line(self):
        tree = dict(SOUND)
        tree['engine/clsOil.cpp'] = '#include "engine/Errors.h"\n\n#include "writers/clsECL.h"\n'
        tree['writers/clsCSV.cpp'] = '// the store is beside us, not below\n#include "store/clsQ7IO.h"\n'
        tree['store/Recordset.cpp'] = '#include "store/ui/frmOpen.h"\n'
        tree['ui/FlexGrid.cpp'] = '#include "ui/InputBox.h"\n#include "app/modQ7.h"\n'
        tree['store/ui/frmDelete.cpp'] = '#include "writers/ui/frmECL.h"\n#include "ui/InputBox.h"\n'
        tree['writers/ui/frmCSV.cpp'] = '#include "ui/InputBox.h"\n#include "store/clsQ7IO.h"\n#include "app/frmMain.h"\n'
        tree['batch/main.cpp'] = '#include "batch/RunCase.h"\n#include "app/frmMain.h"\n'
        tree['thesaurus/TezarDialog.cpp'] = '#include "ui/InputBox.h"\n'
        tree['tests/writers/EclTest.cpp'] = '#include "app/frmMain.h"\n'
        tree['app/frmECLProjects.cpp'] = '#include "batch/RunCase.h"\n'
        # The rock tables sit below the engine: an include back up would close a cycle.
        tree['rock/RockWords.h'] = '#include "engine/Errors.h"\n'
        tree['numeric/NumericText.cpp'] = '#include "numeric/Errors.h"\n#include "rock/clsRock.h"\n'
        code, out = run(tree)
        self.assertEqual(code, 1)
        self.assertEqual(sorted(line.split(': includes')[0] for line in out[:-1]), sorted([
            'app/frmECLProjects.cpp:1',
            'engine/clsOil.cpp:3',
            'store/Recordset.cpp:1',
            'store/ui/frmDelete.cpp:1',
            'tests/writers/EclTest.cpp:1',
            'thesaurus/TezarDialog.cpp:1',
            'batch/main.cpp:2',
            'ui/FlexGrid.cpp:2',
            'writers/clsCSV.cpp:2',
            'writers/ui/frmCSV.cpp:2',
            'writers/ui/frmCSV.cpp:3',
            'rock/RockWords.h:1',
            'numeric/NumericText.cpp:2',
        ]))
        self.assertIn('engine/clsOil.cpp:3: includes "writers/clsECL.h": engine may not include writers', out)
        self.assertIn('writers/ui/frmCSV.cpp:3: includes "app/frmMain.h": writers/ui may not include app', out)
        self.assertIn('app/frmECLProjects.cpp:1: includes "batch/RunCase.h": app may not include batch', out)
        self.assertIn('rock/RockWords.h:1: includes "engine/Errors.h": rock may not include engine', out)
        self.assertEqual(out[-1], '13 include(s) against the layer order in 30 files')

    def test_relative_includes_resolve_beside_the_including_file(self):
        tree = dict(SOUND)
        # "Errors.h" beside a writers file is the writers' own; beside nothing it is a root path.
        tree['writers/Errors.h'] = '#pragma once\n'
        tree['writers/TextFile.cpp'] = '#include "Errors.h"\n'
        tree['store/SqlSupport.cpp'] = '#include "../writers/Errors.h"\n'
        code, out = run(tree)
        self.assertEqual(code, 1)
        self.assertEqual(out[:-1], ['store/SqlSupport.cpp:1: includes "../writers/Errors.h": store may not include writers'])

    def test_plain_cxx_layers_include_no_qt_header(self):
        tree = dict(SOUND)
        tree['writers/clsCSV.cpp'] = '#include <vector>\n#include <QString>\n'
        tree['engine/clsGas.cpp'] = '#include <QtCore/qmath.h>\n'
        code, out = run(tree)
        self.assertEqual(code, 1)
        self.assertEqual(sorted(out[:-1]), [
            'engine/clsGas.cpp:1: includes the Qt header <QtCore/qmath.h>, but engine is plain C++',
            'writers/clsCSV.cpp:2: includes the Qt header <QString>, but writers is plain C++',
        ])

    def test_a_file_in_no_known_folder_is_reported(self):
        tree = dict(SOUND)
        tree['tests/newarea/FooTest.cpp'] = '#include "engine/Errors.h"\n'
        tree['app/Odd.cpp'] = '#include "docs/whatever.h"\n'
        code, out = run(tree)
        self.assertEqual(code, 1)
        self.assertEqual(sorted(line.split(':')[0] for line in out[:-1]), ['app/Odd.cpp', 'tests/newarea/FooTest.cpp'])


if __name__ == '__main__':
    unittest.main()
