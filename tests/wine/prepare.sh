# What every Wine script needs before it starts: the packages, the Windows
# program built with mingw-w64 (`exe`), and the probe of the GUI tests (the
# board's tables and pictures) built for this machine (`probe`). Sourced
# from the top of the project, with `root` set to it.
scripts/deps.sh test
scripts/deps.sh wine
scripts/cross-build.sh >/dev/null
exe="$root/build-win/app/QuorVex.exe"
cmake -S . -B build-w32 -DQUORVEX_BENCH=OFF >/dev/null
cmake --build build-w32 --target quorvex_gui_probe -j2 >/dev/null
probe="$root/build-w32/tests/quorvex_gui_probe"
