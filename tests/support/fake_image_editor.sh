#!/bin/sh
# A stand-in for the user's image editor. It writes its arguments, one a line, to the file
# $FAKE_EDITOR_ARGS and its process id to $FAKE_EDITOR_PID, sleeps $FAKE_EDITOR_SLEEP seconds,
# copies $FAKE_EDITOR_PICTURE over the image (its last argument) and exits with
# $FAKE_EDITOR_EXIT (0 when unset).
for last in "$@"; do :; done
[ -n "$FAKE_EDITOR_PID" ] && echo $$ > "$FAKE_EDITOR_PID"
[ -n "$FAKE_EDITOR_SLEEP" ] && sleep "$FAKE_EDITOR_SLEEP"
[ -n "$FAKE_EDITOR_PICTURE" ] && cp "$FAKE_EDITOR_PICTURE" "$last"
# The test may be over by now and its folder gone.
if [ -n "$FAKE_EDITOR_ARGS" ] && [ -d "$(dirname "$FAKE_EDITOR_ARGS")" ]; then
    for a in "$@"; do printf '%s\n' "$a"; done > "$FAKE_EDITOR_ARGS.tmp"
    mv "$FAKE_EDITOR_ARGS.tmp" "$FAKE_EDITOR_ARGS"
fi
exit "${FAKE_EDITOR_EXIT:-0}"
