"""The Python package hygrian through setuptools: the extension module is the
CMake target hygrian_python, built in setuptools' temporary directory with the
interpreter that runs this script with the type stubs made from the library's
tables (hygrian_python_stubs), and copied where setuptools packs it."""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    """The version of project(hygrian VERSION ...) in CMakeLists.txt."""
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(hygrian VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    """build_ext that configures the project (without its tests) and builds the
    one target of the module."""

    def build_extension(self, ext):
        tree = Path(self.build_temp).resolve() / "cmake"
        configure = ["cmake", "-S", str(ROOT), "-B", str(tree), "-DCMAKE_BUILD_TYPE=Release",
                     "-DHYGRIAN_TESTS=OFF", "-DHYGRIAN_PYTHON=ON",
                     f"-DPython3_EXECUTABLE={sys.executable}"]
        if shutil.which("ninja") and not (tree / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja"]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(tree), "--target", "hygrian_python_stubs",
                        "--parallel", jobs], check=True)
        name = Path(self.get_ext_filename(ext.name)).name
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        built = tree / "python" / "hygrian"
        shutil.copyfile(built / name, target)
        # The stubs made from the library's tables, beside the hand-written ones.
        for template in (ROOT / "python" / "hygrian").glob("*.pyi.in"):
            stub = template.name[:-len(".in")]
            shutil.copyfile(built / stub, target.parent / stub)
        shutil.copyfile(built / "handbook_over_water.pyi", target.parent / "handbook_over_water.pyi")


setup(
    version=project_version(),
    packages=["hygrian"],
    package_dir={"hygrian": "python/hygrian"},
    # The type stubs and the marker of a typed package (PEP 561).
    package_data={"hygrian": ["*.pyi", "py.typed"]},
    # The stubs' templates stay in the source: the build has filled them in.
    exclude_package_data={"hygrian": ["*.pyi.in"]},
    ext_modules=[Extension("hygrian._ufuncs", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)
