#!/bin/sh
# Runs a test without the power to open any file: root may open everything, so a test of what
# a user may not open means nothing as root. As root the test runs as nobody; where nobody
# cannot reach the build (a tree under /root), it stays root without the capabilities that
# override file permissions. Run as anyone else, the test runs as it is.
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
if setpriv --reuid=nobody --regid=nogroup --clear-groups -- test -x "$1" 2>/dev/null; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
fi
exec setpriv --bounding-set -dac_override,-dac_read_search -- "$@"
