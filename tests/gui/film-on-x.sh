#!/usr/bin/env bash
# The Edit Album film's first frame on a real X server with a window manager
# (Xvfb and openbox), where the window is sized by the window manager after
# the film was first laid out: the GUI suite's film tests run there on the
# xcb platform. Exit 0 passed, 1 failed, 77 skipped (no X server).
#
# film-on-x.sh GUI_TESTS
set -uo pipefail

tests=$(realpath "$1")
source "$(dirname "$0")/x-session.sh"

[ -x "$tests" ] || { echo "film-on-x: FAILED: no test program at $tests"; exit 1; }
name=film-on-x
start_x_session 1600x1000
# The tests find their pictures from the source tree, as under ctest.
if "$tests" --gtest_filter='EditAlbumViewTest.FirstFrame*:EditAlbumViewTest.FilmFillsTheWindow*' \
    >"$work/tests.log" 2>&1; then
  echo "film-on-x: passed ($(grep -c '^\[       OK \]' "$work/tests.log") tests on $DISPLAY)"
  exit 0
fi
sed 's/^/  /' "$work/tests.log" | tail -n 30
echo "film-on-x: FAILED"
exit 1
