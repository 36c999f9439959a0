# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
"""Start the installed /usr/bin/orca unchanged, except that the file given
with --debug-file is opened line-buffered, so the log can be read live.
(Orca 43 writes its debug log through a block-buffered file and never
flushes it, so without this the log shows up in 8 KiB chunks.)"""
import builtins
import runpy
import sys

_real_open = builtins.open
_debug_file = None
if "--debug-file" in sys.argv:
    _debug_file = sys.argv[sys.argv.index("--debug-file") + 1]


def _open(file, mode="r", *args, **kwargs):
    if file == _debug_file and "w" in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return _real_open(file, mode, *args, **kwargs)


builtins.open = _open
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
