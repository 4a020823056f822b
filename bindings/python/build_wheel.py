#!/usr/bin/python3
"""Packs the Python package into a wheel with the standard library alone
(no registry is reachable, so no build backend is fetched):

    build_wheel.py PACKAGE_DIR VERSION OUT_DIR

PACKAGE_DIR holds __init__.py, py.typed, _varizav.so and _texts.so (the
build's bindings/python/varizav). The wheel also carries __init__.pyi, written here
from the registration that the package reads from _varizav.so, so that type
checkers see every worksheet function with its arguments.
"""
import base64
import hashlib
import os
import platform
import subprocess
import sys
import zipfile

STUB_HEAD = '''"""Type hints of varizav (generated from the library's registration)."""
import datetime
from typing import Any, Dict, List, Optional, Union

import numpy
import numpy.typing

Number = Union[float, int, datetime.date, datetime.datetime]
NumberColumn = Union[Number, numpy.typing.ArrayLike]
TextColumn = Union[str, int, float, numpy.typing.ArrayLike]

def call(name: str, *args: Any) -> Any: ...
def configure(language: Union[str, int] = ..., calendar_reform: Optional[int] = ..., delta_t: Optional[float] = ...,
              timezone_seconds: Optional[float] = ..., max_loop: Optional[int] = ...) -> None: ...
def settings() -> Dict[str, Any]: ...
def names(calendar: Union[str, int, None] = ..., language: Optional[str] = ...) -> List[Any]: ...
def functions() -> List[Dict[str, Any]]: ...
def serial_from_date(date: Union[datetime.date, datetime.datetime]) -> float: ...
def date_from_serial(serial: float) -> datetime.datetime: ...
'''

# Reads the registration in a child process, from the package being packed.
STUB_BODY = r'''
import sys, varizav
for f in varizav.functions():
    args = ", ".join(
        f"{varizav._identifier(p['name'])}: {'TextColumn' if p['type'] == 'text' else 'NumberColumn'}"
        for p in f["parameters"])
    result = "str" if f["result"] == "text" else "float"
    print(f"def {f['name']}({args}, /) -> Union[{result}, numpy.ndarray, Any]: ...")
'''


def platform_tag():
    machine = platform.machine() or "x86_64"
    return f"linux_{machine}"


def record_line(name, data):
    digest = base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b"=").decode()
    return f"{name},sha256={digest},{len(data)}"


def main(package_dir, version, out_dir):
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.abspath(package_dir)))
    stubs = subprocess.run([sys.executable, "-c", STUB_BODY], check=True, capture_output=True, text=True, env=env).stdout
    tag = f"py3-none-{platform_tag()}"
    dist_info = f"varizav-{version}.dist-info"
    files = {}
    for name in ("__init__.py", "py.typed", "_varizav.so", "_texts.so"):
        # _texts.so is built where Python's headers are installed.
        if name == "_texts.so" and not os.path.exists(os.path.join(package_dir, name)):
            continue
        with open(os.path.join(package_dir, name), "rb") as f:
            files[f"varizav/{name}"] = f.read()
    files["varizav/__init__.pyi"] = (STUB_HEAD + stubs).encode()
    files[f"{dist_info}/METADATA"] = (
        "Metadata-Version: 2.1\n"
        "Name: varizav\n"
        f"Version: {version}\n"
        "Summary: 25 calendars, holidays and astronomy: the varizav calendar add-in's functions for Python\n"
        "License: MIT\n"
        "Requires-Python: >=3.8\n"
        "Requires-Dist: numpy\n").encode()
    files[f"{dist_info}/WHEEL"] = (
        "Wheel-Version: 1.0\n"
        "Generator: varizav build_wheel.py\n"
        "Root-Is-Purelib: false\n"
        f"Tag: {tag}\n").encode()
    license_path = os.path.join(os.path.dirname(__file__), "..", "..", "LICENSE")
    with open(license_path, "rb") as f:
        files[f"{dist_info}/LICENSE"] = f.read()
    record = [record_line(name, data) for name, data in files.items()]
    record.append(f"{dist_info}/RECORD,,")
    files[f"{dist_info}/RECORD"] = ("\n".join(record) + "\n").encode()
    os.makedirs(out_dir, exist_ok=True)
    wheel = os.path.join(out_dir, f"varizav-{version}-{tag}.whl")
    with zipfile.ZipFile(wheel, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in files.items():
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.external_attr = (0o755 if name.endswith(".so") else 0o644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data)
    print(wheel)


if __name__ == "__main__":
    main(*sys.argv[1:4])
