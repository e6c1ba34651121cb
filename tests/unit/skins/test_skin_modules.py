"""The module reader that checks the built skins sees an entry point and an
import when a module has them. Needs CC and WINDRES of a mingw toolchain."""
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import check_skin_modules  # noqa: E402

CC, WINDRES = os.environ.get('CC', ''), os.environ.get('WINDRES', '')
SKINS = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..', 'skins'))


@unittest.skipUnless(CC and WINDRES, 'CC and WINDRES not set')
class ModuleReader(unittest.TestCase):
    def build(self, tmp, code):
        resources = os.path.join(tmp, 'red.o')
        subprocess.run([WINDRES, '-I', SKINS, '-i', os.path.join(SKINS, 'red.rc'), '-o', resources], check=True)
        source = os.path.join(tmp, 'main.c')
        with open(source, 'w') as f:
            f.write(code)
        module = os.path.join(tmp, 'red.skin')
        subprocess.run([CC, '-shared', '-o', module, source, resources], check=True)
        with open(module, 'rb') as f:
            return check_skin_modules.PeFile(f.read())

    def test_code_and_imports_are_seen(self):
        with tempfile.TemporaryDirectory() as tmp:
            pe = self.build(tmp, '#include <windows.h>\n'
                                 'BOOL WINAPI DllMain(HINSTANCE h, DWORD r, LPVOID p) { Beep(440, 1); return TRUE; }\n')
            self.assertNotEqual(pe.entry_point, 0)
            self.assertTrue(pe.imported_dlls())
            tree = pe.resource_tree()
            self.assertEqual(check_skin_modules.string_resource(tree, 5000), 'Tavrelin Red')
            with open(os.path.join(SKINS, 'red', 'CAPTION.PNG'), 'rb') as f:
                self.assertEqual(tree[('PNG', 'CAPTION_PNG')], f.read())


if __name__ == '__main__':
    unittest.main()
