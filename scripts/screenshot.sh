#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Velmaro on a private virtual X display (Xvfb, no window manager) and saves PNG
# pictures of its windows. Run with --help for the options.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

usage() {
  cat <<'EOF'
Usage: scripts/screenshot.sh [options]

Builds Velmaro (as scripts/start.sh does), starts it on a private Xvfb display and saves
the main window as a PNG. With --graph it then clicks "Dati Esempio", "Calcola C" and
"Grafici", saves the graph window "Forme d'onda reali", and saves the main window again with
the design it now shows; then it measures on the plot as a user would (seven wheel steps
about the middle, "F" to fit the bands, a click for cursor A and a Shift+click for cursor B on
the output voltage) and saves the graph window again. Last it saves the graph window while a
long run shows its progress (its figures empty until the run ends), stops the run, and saves the
plot once more with the keyboard's focus on it and cursor A placed with the key "a". With
--chooser it clicks "Dati Esempio" and "Scegli filtro…", types a longest settling of 10 ms into
the filter chooser, clicks its "Calcola" and saves the window "Velmaro - Scelta del filtro".

--response it clicks "Risposta" (after "Dati Esempio" and "Calcola C" when --graph has not
clicked them) and saves the response window "Velmaro - Risposta del filtro".


Options:
  --graph              also drive the commands and save the graph window
  --chooser            also open the filter chooser and save it
  --response           also click "Risposta" and save the response window
  --dark               run under the dark Adwaita style (the adwaita-qt6 package, installed when
                       missing) and save each picture with "-dark" before ".png":
                       form1-dark.png, form2-dark.png...
  --out-dir DIR        where to write the pictures (default: docs/ of the project)
  --main-file NAME     file name of the main window picture (default: form1.png)
  --graph-file NAME    file name of the graph window picture (default: form2.png)
  --measuring-file NAME
                       file name of the graph window measuring (default: form2-measuring.png)
  --run-file NAME      file name of the graph window during a run (default: form2-running.png)
  --focus-file NAME    file name of the plot with the keyboard focus (default: form2-keyboard.png)
  --chooser-file NAME  file name of the filter chooser (default: chooser.png)
  --response-file NAME file name of the response window picture (default: response.png)
  --timeout SECONDS    how long to wait for a window or for the program to settle (default: 30)
  --no-build           use the program already built in the build directory
  -h, --help           show this help

The build directory is $VELMARO_BUILD_DIR, else build/ of the project.
Exit status: 0 when every picture asked for was saved, 1 when one was not (the reason
and the folder with the logs are printed), 2 for a wrong option.
EOF
}

OUT_DIR=$ROOT/docs
MAIN_FILE=form1.png
GRAPH_FILE=form2.png
MEASURING_FILE=form2-measuring.png
RUN_FILE=form2-running.png
FOCUS_FILE=form2-keyboard.png
CHOOSER_FILE=chooser.png
RESPONSE_FILE=response.png
WITH_GRAPH=0
WITH_CHOOSER=0
WITH_RESPONSE=0
DARK=0
TIMEOUT=30
DO_BUILD=1

while [ $# -gt 0 ]; do
  case $1 in
    --graph) WITH_GRAPH=1 ;;
    --chooser) WITH_CHOOSER=1 ;;
    --response) WITH_RESPONSE=1 ;;
    --dark) DARK=1 ;;
    --out-dir) OUT_DIR=${2:?--out-dir needs a directory}; shift ;;
    --main-file) MAIN_FILE=${2:?--main-file needs a file name}; shift ;;
    --graph-file) GRAPH_FILE=${2:?--graph-file needs a file name}; shift ;;
    --measuring-file) MEASURING_FILE=${2:?--measuring-file needs a file name}; shift ;;
    --run-file) RUN_FILE=${2:?--run-file needs a file name}; shift ;;
    --focus-file) FOCUS_FILE=${2:?--focus-file needs a file name}; shift ;;
    --chooser-file) CHOOSER_FILE=${2:?--chooser-file needs a file name}; shift ;;
    --response-file) RESPONSE_FILE=${2:?--response-file needs a file name}; shift ;;
    --timeout) TIMEOUT=${2:?--timeout needs a number of seconds}; shift ;;
    --no-build) DO_BUILD=0 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "screenshot: unknown option: $1" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
# The dark pictures' default names; a name given with its option stays as given.
if [ "$DARK" -eq 1 ]; then
  for name in MAIN_FILE GRAPH_FILE MEASURING_FILE RUN_FILE FOCUS_FILE CHOOSER_FILE RESPONSE_FILE; do
    declare -n file=$name
    case $file in
      form1.png | form2.png | form2-measuring.png | form2-running.png | form2-keyboard.png | \
        chooser.png | response.png) file=${file%.png}-dark.png ;;
    esac
    unset -n file
  done
fi
if ! [[ $TIMEOUT =~ ^[1-9][0-9]*$ ]]; then
  echo "screenshot: --timeout wants a whole number of seconds, not '$TIMEOUT'" >&2
  exit 2
fi

# What this script needs beyond building and running: xdotool finds, moves and clicks
# windows; ImageMagick's import grabs a window as PNG.
SCREENSHOT_PACKAGES=(xdotool imagemagick)

# The virtual screen is large enough to hold the main window (1346 x 570) above the
# graph window (1262 x 667) without overlap; the pointer waits in its far corner.
SCREEN_WIDTH=2048
SCREEN_HEIGHT=1536
PARK_X=$((SCREEN_WIDTH - 1))
PARK_Y=$((SCREEN_HEIGHT - 1))
GAP=16

GRAPH_TITLE="Forme d'onda reali"
CHOOSER_TITLE="Velmaro - Scelta del filtro"
RESPONSE_TITLE="Velmaro - Risposta del filtro"
# Client areas in pixels: 20190 x 8550, 18930 x 10005 and 19350 x 10320 twips.
MAIN_SIZE=1346x570
GRAPH_SIZE=1262x667
RESPONSE_SIZE=1290x688

# Button centres in pixels from the main window's client area: (Left + Width / 2) / 15 and
# (Top + Height / 2) / 15 of the twips rectangles, rounded down.
EXAMPLE_BUTTON=(1000 216)   # Command3 "Dati Esempio": 14280, 3000, 1455 x 495
DESIGN_BUTTON=(816 304)     # Command1 "Calcola C":    10800, 4320, 2895 x 495
GRAPH_BUTTON=(184 520)      # Command2 "Grafici":       1800, 7560, 1935 x 495
CHOOSER_BUTTON=(816 344)    # ChooserButton "Scegli filtro…": 10800, 4920, 2895 x 495
# In the filter chooser's client area: ChooserTimeField (7050, 240, 1500 x 375) and
# ChooserComputeButton "Calcola" (9600, 180, 2895 x 495).
CHOOSER_TIME_FIELD=(520 28)
CHOOSER_COMPUTE_BUTTON=(736 28)
RESPONSE_BUTTON=(328 520)   # ResponseButton "Risposta": 3960, 7560, 1935 x 495
# Fields of a long run: C (Text10: 1800, 6480, 1935 x 375), N (Text13: 5400, 4320) and NI
# (Text15: 5400, 5280), each 1935 x 375.
C_FIELD=(184 444)
N_FIELD=(424 300)
NI_FIELD=(424 364)

# Points of the plot in pixels from the graph window's client area: the inside of Picture1's
# frame starts at (10, 10) and is 997 x 605. The example shows 10 periods of 100 us; seven wheel
# steps about the middle leave 395 us to 605 us, where the output is lowest at 500 us (column
# 498) and highest at 550 us (column 736); row 500 is in the output voltage's band.
PLOT_MIDDLE=(508 310)
ZOOM_STEPS=7
CURSOR_A=(508 510)
CURSOR_B=(746 510)

say() { echo "screenshot: $*" >&2; }

# A dark style as a desktop user picks one: Adwaita's, whose palette is dark throughout.
STYLE_ARGS=()
if [ "$DARK" -eq 1 ]; then
  SCREENSHOT_PACKAGES+=(adwaita-qt6)
  STYLE_ARGS=(-style Adwaita-Dark)
fi
install_missing_packages "${PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"
if [ "$DO_BUILD" -eq 1 ]; then
  build "$BUILD_DIR" velmaro
fi
PROGRAM=$BUILD_DIR/velmaro
if ! [ -x "$PROGRAM" ]; then
  say "no program at $PROGRAM (build it, or leave out --no-build)"
  exit 1
fi
mkdir -p "$OUT_DIR"
OUT_DIR=$(cd "$OUT_DIR" && pwd)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velmaro-screenshot.XXXXXX")
KEEP_WORK=0
XVFB_PID=
APP_PID=
OUR_DISPLAY=0

cleanup() {
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; wait "$APP_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  if [ "$KEEP_WORK" -eq 0 ]; then rm -rf "$WORK"; fi
}
trap cleanup EXIT

# Stops with a message; keeps the work folder (logs, the last grab of the screen) for a look.
fail() {
  say "$*"
  if [ "$OUR_DISPLAY" -eq 1 ]; then
    import -silent -window root "$WORK/screen.png" 2>/dev/null || true
    say "visible windows:"
    list_windows >&2
  fi
  if [ -s "$WORK/velmaro.log" ]; then
    say "program output:"
    sed 's/^/  /' "$WORK/velmaro.log" >&2
  fi
  KEEP_WORK=1
  say "logs and a picture of the whole screen are in $WORK"
  exit 1
}

list_windows() {
  local id
  for id in $(program_windows); do
    echo "  $id \"$(window_title "$id")\" $(window_geometry "$id")"
  done
}

window_title() { xdotool getwindowname "$1" 2>/dev/null || true; }

# "WIDTHxHEIGHT+X+Y" of a window.
window_geometry() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

window_height() {
  local HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^HEIGHT=')"
  echo "$HEIGHT"
}

# The state letter of the program's process; a process that has ended but not been
# collected yet is "Z".
app_state() {
  local stat
  stat=$(cat "/proc/$APP_PID/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  echo "${stat%% *}"
}

app_alive() {
  local state
  state=$(app_state) && [ "$state" != Z ] && [ "$state" != X ]
}

# The visible top-level windows of the program (Qt marks them with its process id), one
# id a line, whatever their titles.
program_windows() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true; }

# Processor time used so far by the program, in clock ticks (user + system).
app_ticks() {
  local stat fields
  app_alive || return 1
  stat=$(cat "/proc/$APP_PID/stat" 2>/dev/null) || return 1
  stat=${stat##*) }   # the fields after the command name, from the third on
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

# Waits until the program is idle: it has used at most one clock tick in each of two
# half-second spans in a row. Once a command has run to its end and the windows have
# been painted it only waits for events (a blinking text cursor costs next to nothing).
wait_idle() {
  local deadline=$((SECONDS + TIMEOUT)) before after quiet=0
  before=$(app_ticks) || fail "the program has ended"
  while [ "$quiet" -lt 2 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program was still busy after $TIMEOUT s"
    sleep 0.5
    after=$(app_ticks) || fail "the program has ended"
    if [ $((after - before)) -le 1 ]; then quiet=$((quiet + 1)); else quiet=0; fi
    before=$after
  done
}

# Waits for a visible window of the program other than the main window; prints its id,
# or nothing when the time is up or the program has ended.
wait_for_window() {
  local deadline=$((SECONDS + TIMEOUT)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    app_alive || return 0
    for id in $(program_windows); do
      if [ "$id" != "${MAIN_ID:-}" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.2
  done
}

# Any visible window of the program besides the main and the graph window is a message
# box (they carry the caption "Velmaro", like the main window).
fail_on_message_box() {
  local id title
  for id in $(program_windows); do
    title=$(window_title "$id")
    if [ "$id" != "$MAIN_ID" ] && [ "$title" != "$GRAPH_TITLE" ] && [ "$title" != "$CHOOSER_TITLE" ] &&
      [ "$title" != "$RESPONSE_TITLE" ]; then
      import -silent -window "$id" "$WORK/message.png" 2>/dev/null || true
      fail "after $1 the program shows a window \"$(window_title "$id")\", a message box" \
        "most likely (picture: $WORK/message.png)"
    fi
  done
}

# Waits for a visible window of the program with the title given; prints its id, or nothing when
# the time is up or the program has ended.
wait_for_titled_window() {
  local deadline=$((SECONDS + TIMEOUT)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    app_alive || return 0
    for id in $(program_windows); do
      if [ "$(window_title "$id")" = "$1" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.2
  done
}

click() {
  local x=$1 y=$2
  # Press and release on the button, then the pointer goes back to its corner, away from
  # every window, so that no hover effect or pointer movement shows in the pictures.
  xdotool mousemove --window "$MAIN_ID" "$x" $((y + MENU_HEIGHT)) click 1 mousemove "$PARK_X" "$PARK_Y"
}

capture() {
  local id=$1 file=$2
  # Without a window manager no window is active, and a dark style dims an inactive window's
  # text: give the window the keyboard's focus, as a user's click would.
  if [ "$DARK" -eq 1 ]; then
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    wait_idle
  fi
  import -silent -window "$id" "$WORK/grab.png" || fail "could not grab window $id"
  mv "$WORK/grab.png" "$file"
  say "saved $file ($(identify -format '%wx%h' "$file"))"
}

# The display: Xvfb picks a free number and writes it to the descriptor given.
Xvfb -displayfd 3 -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -dpi 96 -nolisten tcp \
  3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
deadline=$((SECONDS + TIMEOUT))
until [ -s "$WORK/display" ]; do
  kill -0 "$XVFB_PID" 2>/dev/null || { cat "$WORK/xvfb.log" >&2; XVFB_PID=; fail "Xvfb did not start"; }
  [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb did not start within $TIMEOUT s"
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$WORK/display")
export DISPLAY
OUR_DISPLAY=1
xdotool mousemove "$PARK_X" "$PARK_Y"

# Settings of its own: the windows' kept places and recent files of an earlier session would
# move and resize what the pictures show.
mkdir -m 700 "$WORK/runtime" "$WORK/config"
env -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
  QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" \
  "$PROGRAM" "${STYLE_ARGS[@]}" >"$WORK/velmaro.log" 2>&1 &
APP_PID=$!

# The first window the program shows is the main window.
MAIN_ID=$(wait_for_window)
[ -n "$MAIN_ID" ] || fail "the main window did not appear within $TIMEOUT s"
xdotool windowmove "$MAIN_ID" 0 0
wait_idle
# The menu bar stands above the controls: clicks on them go that much lower in the window.
MAIN_HEIGHT=$(window_geometry "$MAIN_ID" | sed 's/^[0-9]*x\([0-9]*\)+.*/\1/')
MENU_HEIGHT=$((MAIN_HEIGHT - ${MAIN_SIZE#*x}))
say "main window \"$(window_title "$MAIN_ID")\": $(window_geometry "$MAIN_ID")" \
  "(client area $MAIN_SIZE expected)"
capture "$MAIN_ID" "$OUT_DIR/$MAIN_FILE"

if [ "$WITH_GRAPH" -eq 1 ]; then
  click "${EXAMPLE_BUTTON[@]}"
  wait_idle
  fail_on_message_box "\"Dati Esempio\""
  click "${DESIGN_BUTTON[@]}"
  wait_idle
  fail_on_message_box "\"Calcola C\""
  click "${GRAPH_BUTTON[@]}"
  GRAPH_ID=$(wait_for_window)
  if [ -z "$GRAPH_ID" ] || [ "$(window_title "$GRAPH_ID")" != "$GRAPH_TITLE" ]; then
    app_alive || fail "the program ended after the click on \"Grafici\""
    wait_idle
    fail_on_message_box "\"Grafici\""
    fail "the graph window \"$GRAPH_TITLE\" did not appear within $TIMEOUT s" \
      "of the click on \"Grafici\" at ${GRAPH_BUTTON[0]}, ${GRAPH_BUTTON[1]} of the main window"
  fi
  # Without a window manager a new window opens where the program puts it, possibly over
  # the main window: move it below.
  wait_idle
  xdotool windowmove "$GRAPH_ID" 0 $(($(window_height "$MAIN_ID") + GAP))
  wait_idle
  fail_on_message_box "\"Grafici\""
  say "graph window: $(window_geometry "$GRAPH_ID") (client area $GRAPH_SIZE expected)"
  capture "$GRAPH_ID" "$OUT_DIR/$GRAPH_FILE"
  # The main window again, now showing the design that was plotted.
  capture "$MAIN_ID" "$OUT_DIR/$MAIN_FILE"

  # Measuring: zoom about the middle (button 4 turns the wheel away from the user), fit, and the
  # two cursors; the pointer then goes back to its corner, and its tooltip with it.
  xdotool mousemove --window "$GRAPH_ID" "${PLOT_MIDDLE[@]}"
  for _ in $(seq "$ZOOM_STEPS"); do xdotool click 4; done
  xdotool windowfocus --sync "$GRAPH_ID" key f
  xdotool mousemove --window "$GRAPH_ID" "${CURSOR_A[@]}" click 1
  sleep 0.5 # more than a double-click's interval between the two clicks
  xdotool mousemove --window "$GRAPH_ID" "${CURSOR_B[@]}" keydown shift click 1 keyup shift \
    mousemove "$PARK_X" "$PARK_Y"
  wait_idle
  fail_on_message_box "measuring on the plot"
  capture "$GRAPH_ID" "$OUT_DIR/$MEASURING_FILE"

  # A run of 10^9 steps that does not settle (C 1000000 nF, N 1000000, NI 1000): the graph window
  # while its progress shows, then Escape stops it.
  for field in C:1000000 N:1000000 NI:1000; do
    name=${field%%:*}
    declare -n at="${name}_FIELD"
    xdotool mousemove --window "$MAIN_ID" "${at[0]}" $((at[1] + MENU_HEIGHT)) click 1 key ctrl+a type "${field#*:}"
  done
  xdotool mousemove --window "$MAIN_ID" "${GRAPH_BUTTON[0]}" $((GRAPH_BUTTON[1] + MENU_HEIGHT)) click 1 mousemove "$PARK_X" "$PARK_Y"
  sleep 1.5
  # The progress dialog is a window of its own over the graph window: the screen there.
  import -silent -window root -crop "$(window_geometry "$GRAPH_ID")" +repage "$WORK/grab.png" ||
    fail "could not grab the screen"
  mv "$WORK/grab.png" "$OUT_DIR/$RUN_FILE"
  say "saved $OUT_DIR/$RUN_FILE"
  xdotool key Escape
  wait_idle
  # The plot with the keyboard's focus: the whole plot again, and "a" places cursor A in the
  # middle of the view.
  for field in C:250 N:1000 NI:2000; do
    name=${field%%:*}
    declare -n at="${name}_FIELD"
    xdotool mousemove --window "$MAIN_ID" "${at[0]}" $((at[1] + MENU_HEIGHT)) click 1 key ctrl+a type "${field#*:}"
  done
  xdotool mousemove --window "$MAIN_ID" "${GRAPH_BUTTON[0]}" $((GRAPH_BUTTON[1] + MENU_HEIGHT)) click 1 mousemove "$PARK_X" "$PARK_Y"
  wait_idle
  xdotool mousemove --window "$GRAPH_ID" "${PLOT_MIDDLE[@]}" click 1 mousemove "$PARK_X" "$PARK_Y"
  xdotool key Home key Escape key a
  wait_idle
  capture "$GRAPH_ID" "$OUT_DIR/$FOCUS_FILE"
fi

if [ "$WITH_CHOOSER" -eq 1 ]; then
  click "${EXAMPLE_BUTTON[@]}"
  wait_idle
  fail_on_message_box "\"Dati Esempio\""
  click "${CHOOSER_BUTTON[@]}"
  CHOOSER_ID=$(wait_for_titled_window "$CHOOSER_TITLE")
  if [ -z "$CHOOSER_ID" ]; then
    app_alive || fail "the program ended after the click on \"Scegli filtro…\""
    wait_idle
    fail_on_message_box "\"Scegli filtro…\""
    fail "the filter chooser \"$CHOOSER_TITLE\" did not appear within $TIMEOUT s"
  fi
  wait_idle
  xdotool windowmove "$CHOOSER_ID" 0 $(($(window_height "$MAIN_ID") + GAP))
  wait_idle
  xdotool mousemove --window "$CHOOSER_ID" "${CHOOSER_TIME_FIELD[@]}" click 1 key ctrl+a type 10
  xdotool mousemove --window "$CHOOSER_ID" "${CHOOSER_COMPUTE_BUTTON[@]}" click 1 \
    mousemove "$PARK_X" "$PARK_Y"
  wait_idle
  fail_on_message_box "\"Calcola\" in the filter chooser"
  say "filter chooser: $(window_geometry "$CHOOSER_ID") (client area 1000x670 expected)"
  capture "$CHOOSER_ID" "$OUT_DIR/$CHOOSER_FILE"
fi

if [ "$WITH_RESPONSE" -eq 1 ]; then
  if [ "$WITH_GRAPH" -eq 0 ]; then
    click "${EXAMPLE_BUTTON[@]}"
    wait_idle
    fail_on_message_box "\"Dati Esempio\""
    click "${DESIGN_BUTTON[@]}"
    wait_idle
    fail_on_message_box "\"Calcola C\""
  fi
  click "${RESPONSE_BUTTON[@]}"
  wait_idle
  fail_on_message_box "\"Risposta\""
  RESPONSE_ID=
  for id in $(program_windows); do
    if [ "$(window_title "$id")" = "$RESPONSE_TITLE" ]; then RESPONSE_ID=$id; fi
  done
  [ -n "$RESPONSE_ID" ] || fail "the response window \"$RESPONSE_TITLE\" did not appear after" \
    "the click on \"Risposta\" at ${RESPONSE_BUTTON[0]}, ${RESPONSE_BUTTON[1]} of the main window"
  # Below the main window, over the graph window if there is one.
  xdotool windowmove "$RESPONSE_ID" 0 $(($(window_height "$MAIN_ID") + GAP)) windowraise "$RESPONSE_ID"
  wait_idle
  say "response window: $(window_geometry "$RESPONSE_ID") (client area $RESPONSE_SIZE expected)"
  capture "$RESPONSE_ID" "$OUT_DIR/$RESPONSE_FILE"
fi
