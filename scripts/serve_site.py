#!/usr/bin/env python3
"""Serves the page's folder on this machine only, for scripts/play-web.sh.

    serve_site.py PORT FOLDER    binds the port, says where the page is,
                                 opens the desktop's browser and serves
    serve_site.py --check PORT   only tells whether the port can be had

The port is bound before anything is said or opened: on a busy port it says
so and how to pick another, opens nothing and fails. Only the folder's files
are served, with no listings, and each with Cache-Control: no-cache, so a
browser asks the server before it uses a copy of its own.
"""
import errno
import functools
import http.server
import os
import shutil
import socket
import subprocess
import sys

HOST = "127.0.0.1"


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
    }

    def list_directory(self, path):
        self.send_error(404)
        return None

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def refuse(port, error):
    if error.errno == errno.EADDRINUSE:
        why = "is busy: another program serves there"
    else:
        why = f"cannot be had: {error.strerror}"
    other = port + 1 if port < 65535 else 8080
    print(f"Port {port} {why}. Nothing is served or opened; pick another port with PORT,"
          f" e.g. PORT={other} bash scripts/play-web.sh", file=sys.stderr)
    return 1


def main(args):
    check = args[:1] == ["--check"]
    if check:
        args = args[1:]
    try:
        port = int(args[0])
    except (IndexError, ValueError):
        port = 0
    if not 0 < port < 65536:
        print(f"Not a port: {' '.join(args[:1])!r} (a number from 1 to 65535, as PORT=8081)", file=sys.stderr)
        return 2
    if check:
        with socket.socket() as probe:
            # As the server binds, so that the answer is the server's.
            probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            try:
                probe.bind((HOST, port))
            except OSError as error:
                return refuse(port, error)
        return 0

    try:
        server = Server((HOST, port), functools.partial(Handler, directory=args[1]))
    except OSError as error:
        return refuse(port, error)
    url = f"http://{HOST}:{port}/"
    print(f"Zorvane is served at {url} (Ctrl+C stops it)", flush=True)
    if (os.environ.get("DISPLAY") or os.environ.get("WAYLAND_DISPLAY")) and shutil.which("xdg-open"):
        subprocess.Popen(["xdg-open", url], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with server:
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
