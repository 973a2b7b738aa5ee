#!/usr/bin/env python3
"""archive_server.py: a loopback HTTP(S) server of files for the download scenarios.

    archive_server.py --root DIR --port-file FILE --log FILE [--rules FILE]
                      [--certificate PEM --key PEM]

Serves the files under DIR (GET only, byte ranges "bytes=N-" honoured) on
127.0.0.1 at a free port, which it writes into --port-file once it listens.
Each request is a line of --log: "GET PATH range=RANGE status=STATUS sent=BYTES".

--rules (a JSON file read at every request) tells how to answer a path instead:
{"/a.zip": ["404", "cut:1000"]} answers the first request for /a.zip with
404 and cuts the body of the second after 1000 bytes; a rule whose name ends
in "*" stays for every later request. Rules:

    404 | 500 | 407      that status, no body
    redirect:LOCATION    302 to LOCATION
    cut:N                the headers of the whole answer, then N bytes, then the connection is closed
    wrong                the file with its middle byte changed
    whole                the whole file (200) even for a range request
    drip:N:MS            N bytes every MS milliseconds
    stall:N              the headers of the whole answer, then N bytes, then nothing until the client closes
"""
import argparse
import json
import os
import ssl
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

lock = threading.Lock()


def next_rule(rules_file, path):
    """The rule for this request of path, consumed unless it ends in '*'."""
    if not rules_file or not os.path.exists(rules_file):
        return None
    with lock:
        with open(rules_file) as f:
            rules = json.load(f)
        queue = rules.get(path) or []
        if not queue:
            return None
        rule = queue[0]
        if rule.endswith("*"):
            return rule[:-1]
        rules[path] = queue[1:]
        with open(rules_file + ".tmp", "w") as f:
            json.dump(rules, f)
        os.replace(rules_file + ".tmp", rules_file)
        return rule


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self, status, sent):
        line = "GET %s range=%s status=%d sent=%d\n" % (
            self.path, self.headers.get("Range") or "-", status, sent)
        with lock:
            with open(self.server.log_file, "a") as f:
                f.write(line)

    def answer_status(self, status, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", "0")
        self.end_headers()
        self.record(status, 0)

    def do_GET(self):
        rule = next_rule(self.server.rules_file, self.path)
        if rule in ("404", "500", "407"):
            return self.answer_status(int(rule))
        if rule and rule.startswith("redirect:"):
            return self.answer_status(302, [("Location", rule[len("redirect:"):])])
        file = os.path.join(self.server.root, self.path.lstrip("/").split("?")[0])
        if not os.path.isfile(file):
            return self.answer_status(404)
        with open(file, "rb") as f:
            data = f.read()
        if rule == "wrong":
            middle = len(data) // 2
            data = data[:middle] + bytes([data[middle] ^ 0xFF]) + data[middle + 1:]
        start = 0
        requested = self.headers.get("Range")
        if requested and rule != "whole" and requested.startswith("bytes=") and requested.endswith("-"):
            start = int(requested[len("bytes="):-1])
        if start >= len(data) and start > 0:
            return self.answer_status(416, [("Content-Range", "bytes */%d" % len(data))])
        body = data[start:]
        self.send_response(206 if start else 200)
        if start:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, len(data) - 1, len(data)))
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        sent = 0
        try:
            if rule and rule.startswith("cut:"):
                sent = min(int(rule[len("cut:"):]), len(body))
                self.wfile.write(body[:sent])
                self.wfile.flush()
                self.close_connection = True
            elif rule and rule.startswith("stall:"):
                sent = min(int(rule[len("stall:"):]), len(body))
                self.wfile.write(body[:sent])
                self.wfile.flush()
                while self.connection.recv(4096):
                    pass
                self.close_connection = True
            elif rule and rule.startswith("drip:"):
                _, size, pause = rule.split(":")
                for offset in range(0, len(body), int(size)):
                    self.wfile.write(body[offset:offset + int(size)])
                    self.wfile.flush()
                    sent = min(offset + int(size), len(body))
                    if sent < len(body):
                        time.sleep(int(pause) / 1000.0)
            else:
                self.wfile.write(body)
                sent = len(body)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True
        self.record(206 if start else 200, sent)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--rules")
    parser.add_argument("--certificate")
    parser.add_argument("--key")
    arguments = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.root = arguments.root
    server.rules_file = arguments.rules
    server.log_file = arguments.log
    open(arguments.log, "a").close()
    if arguments.certificate:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(arguments.certificate, arguments.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    with open(arguments.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(arguments.port_file + ".tmp", arguments.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
