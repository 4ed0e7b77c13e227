#!/bin/sh
# Runs a test as an ordinary user: root may open any file, so a test of what a user may not
# open means nothing as root. Run as anyone else, the test runs as it is.
if [ "$(id -u)" -eq 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
fi
exec "$@"
