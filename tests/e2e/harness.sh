# The end-to-end harness, in parts of one job each, which a script names as it sources this:
#   source "$(dirname "$0")/harness.sh" program windows pictures
#   begin_test "$@"
# Sourcing defines functions and nothing else: begin_test (program.sh) sets the test up.
#   environment  the user's variables cleared and the suite's driver pinned
#   display      Xvfb, or the desk (desk.sh)
#   settings     the program's display settings, in a folder or a Wine registry of the test's own
#   program      the program's process: started, waited on, ended; the test's set-up
#   windows      windows, message boxes and the X chores of x11.py
#   pictures     screenshots and what picture.py makes of them
# Wine's prefixes and registry are wine_env.sh's.
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for part in "$@"; do source "$E2E_DIR/$part.sh"; done
