#!/bin/sh
# Runs a command in its own mount and IPC namespaces with an empty /dev/shm, so that its private JACK
# server and clients never meet another JACK server on this machine. Needs root.
exec unshare --mount --ipc --propagation private sh -c 'mount -t tmpfs -o size=512m tmpfs /dev/shm && exec "$@"' sh "$@"
