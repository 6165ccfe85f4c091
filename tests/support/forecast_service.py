#!/usr/bin/env python3
"""A stand-in for the forecast services, on loopback, for the tests.

Serves /weather-ng/forecasts/<id>.xml from the fixture folder, and misbehaves on purpose for
the identifiers below; /program/<name> serves the version documents of fixtures/program. It also answers requests in the absolute form a proxy receives, so a
test can see exactly what the program sends to its proxy, and records a CONNECT before
refusing it. Every request line, its headers and its time go to the log file as one JSON
object a line.

Open-Meteo's /v1/forecast answers with fixtures/openmeteo/forecast.json; a path before it
picks another answer: /fixture/<name>/v1/forecast serves fixtures/openmeteo/<name>.json and
/<behaviour>/v1/forecast misbehaves as the openmeteo_ methods below. The place search
/v1/search answers from fixtures/geocoding by its lower-cased "name" parameter (PLACE_FIXTURES;
any other name finds nothing), and /<behaviour>/v1/search misbehaves as the geocoding_
methods. With --tls-port, --cert
and --key it serves everything over HTTPS on that port as well.

It prints its port (and the HTTPS port on a second line), then serves until killed; no
connection is held longer than LONG_DOWNLOAD seconds.
"""
import argparse
import http.server
import json
import os
import socketserver
import ssl
import sys
import threading
import time
import urllib.parse

MAX_HOLD = 30
HUGE_BYTES = 8 * 1024 * 1024
DELAY = 3  # seconds before the "delayed" town's answer
LATE = 20  # seconds before the "late" town's answer
LONG_DOWNLOAD = 35  # seconds the "long" town's answer trickles, longer than any client waits
# The names the place search knows, by their fixture; the service matches without regard to case.
PLACE_FIXTURES = {"выборг": "vyborg", "никольское": "nikolskoye"}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.server.record(self)
        address = urllib.parse.urlsplit(self.path)
        path = address.path
        if path.endswith("/v1/search"):
            return self.place_search(path[:-len("/v1/search")], address.query)
        if path.endswith("/v1/forecast"):
            return self.open_meteo(path[:-len("/v1/forecast")])
        if path.startswith("/program/"):
            return self.program_document(os.path.basename(path))
        prefix = "/weather-ng/forecasts/"
        if not path.startswith(prefix) or not path.endswith(".xml"):
            return self.answer(404, b"not found", "text/plain")
        town = urllib.parse.unquote(path[len(prefix):-len(".xml")])
        behaviour = getattr(self, "town_" + town, None)
        if behaviour:
            return behaviour()
        return self.fixture(town)

    def do_CONNECT(self):
        self.server.record(self)
        self.answer(403, b"no tunnels here", "text/plain")

    def open_meteo(self, choice):
        name = "forecast"
        if choice.startswith("/fixture/"):
            name = choice[len("/fixture/"):]
        elif choice:
            behaviour = getattr(self, "openmeteo_" + choice.strip("/"), None)
            if behaviour is None:
                return self.answer(404, b'{"error":true,"reason":"Not Found"}', "application/json")
            return behaviour()
        try:
            with open(os.path.join(self.server.fixtures, "openmeteo", name + ".json"), "rb") as file:
                body = file.read()
        except OSError:
            return self.answer(404, b"no such fixture", "text/plain")
        self.answer(200, body, "application/json; charset=utf-8")

    # Open-Meteo's misbehaviour, as a failing service or something in the way answers.
    def openmeteo_status400(self):
        self.answer(400, b'{"error":true,"reason":"Cannot initialize WeatherVariable"}',
                    "application/json; charset=utf-8")

    def openmeteo_status429(self):
        self.answer(429, b'{"error":true,"reason":"Daily API request limit exceeded"}',
                    "application/json; charset=utf-8", [("Retry-After", "3600")])

    def openmeteo_redirect(self):
        self.answer(302, b"", "text/plain", [("Location", "/v1/forecast")])

    def openmeteo_html(self):
        self.town_html()

    def openmeteo_truncated(self):
        body = self.fixture_bytes_of("openmeteo", "forecast.json")
        self.answer(200, body[:len(body) // 2], "application/json; charset=utf-8")

    def openmeteo_slow(self):
        self.town_slow()

    def openmeteo_huge(self):
        self.town_huge()

    def place_search(self, choice, query):
        if choice:
            behaviour = getattr(self, "geocoding_" + choice.strip("/"), None)
            if behaviour is None:
                return self.answer(404, b'{"error":true,"reason":"Not Found"}', "application/json")
            return behaviour()
        name = urllib.parse.parse_qs(query).get("name", [""])[0].strip().lower()
        fixture = PLACE_FIXTURES.get(name, "none")
        self.answer(200, self.fixture_bytes_of("geocoding", fixture + ".json"),
                    "application/json; charset=utf-8")

    # The place search's misbehaviour.
    def geocoding_status400(self):
        self.answer(400, b'{"error":true,"reason":"Parameter count must be between 1 and 100."}',
                    "application/json; charset=utf-8")

    def geocoding_status429(self):
        self.openmeteo_status429()

    def geocoding_html(self):
        self.town_html()

    def geocoding_truncated(self):
        body = self.fixture_bytes_of("geocoding", "nikolskoye.json")
        self.answer(200, body[:len(body) // 2], "application/json; charset=utf-8")

    def geocoding_slow(self):
        self.town_slow()

    def fixture_bytes_of(self, folder, name):
        with open(os.path.join(self.server.fixtures, folder, name), "rb") as file:
            return file.read()

    def answer(self, status, body, content_type, headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def fixture_bytes(self, name):
        with open(os.path.join(self.server.fixtures, name + ".xml"), "rb") as file:
            return file.read()

    def fixture(self, town):
        try:
            body = self.fixture_bytes(town)
        except OSError:
            return self.answer(404, b"no such town", "text/plain")
        self.answer(200, body, "text/xml; charset=utf-8")

    def program_document(self, name):
        try:
            with open(os.path.join(self.server.fixtures, "program", name), "rb") as file:
                body = file.read()
        except OSError:
            return self.answer(404, b"no such document", "text/plain")
        self.answer(200, body, "text/xml")

    # The misbehaving towns.
    def town_status500(self):
        self.answer(500, b"<error>internal</error>", "text/xml")

    def town_redirect(self):
        self.answer(302, b"", "text/plain", [("Location", "/weather-ng/forecasts/27612.xml")])

    def town_html(self):
        body = '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Погода</title></head>' \
               "<body><p>Сервис недоступен<br></body></html>"
        self.answer(200, body.encode(), "text/html; charset=utf-8")

    def town_malformed(self):
        self.answer(200, b"<?xml version='1.0'?><forecast><fact></forecast>", "text/xml")

    def town_unboundprefix(self):
        body = self.fixture_bytes("27612").replace(b"<fact>", b"<w:fact>", 1)
        body = body.replace(b"</fact>", b"</w:fact>", 1)
        self.answer(200, body, "text/xml; charset=utf-8")

    def town_empty(self):
        self.answer(200, b"", "text/xml")

    def town_cookie(self):
        self.answer(200, self.fixture_bytes("27612"), "text/xml; charset=utf-8",
                    [("Set-Cookie", "session=tervalo42; Path=/")])

    # The same forecast in other encodings, with or without a charset in the header, a wrong
    # one included: an XML document's own declaration decides.
    def redeclared(self, encoding):
        text = self.fixture_bytes("27612").decode("utf-8")
        return text.replace('encoding="utf-8"', 'encoding="%s"' % encoding, 1)

    def town_cp1251(self):
        self.answer(200, self.redeclared("windows-1251").encode("cp1251"), "text/xml")

    def town_cp1251_as_utf8(self):
        self.answer(200, self.redeclared("windows-1251").encode("cp1251"),
                    "text/xml; charset=utf-8")

    def town_undeclared_as_cp1251(self):
        text = self.fixture_bytes("27612").decode("utf-8")
        text = text[text.index("?>") + 2:].lstrip()
        self.answer(200, text.encode("utf-8"), "application/xml; charset=windows-1251")

    def town_utf16(self):
        self.answer(200, self.redeclared("utf-16").encode("utf-16"), "text/xml")

    def town_huge(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/xml")
        self.end_headers()
        chunk = b"<x>" + b"a" * 65536 + b"</x>"
        sent = 0
        try:
            self.wfile.write(b"<forecast>")
            while sent < HUGE_BYTES:
                self.wfile.write(chunk)
                sent += len(chunk)
        except OSError:
            pass

    def town_slow(self):
        self.trickle(MAX_HOLD)

    def town_long(self):
        self.trickle(LONG_DOWNLOAD)

    def trickle(self, seconds):
        self.send_response(200)
        self.send_header("Content-Type", "text/xml")
        self.end_headers()
        try:
            for _ in range(seconds):
                self.wfile.write(b" ")
                self.wfile.flush()
                time.sleep(1)
        except OSError:
            pass

    def town_firstonly(self):
        with self.server.lock:
            first = not self.server.answered_firstonly
            self.server.answered_firstonly = True
        if first:
            return self.fixture("27612")
        self.answer(404, b"gone", "text/plain")

    def town_delayed(self):
        time.sleep(DELAY)
        self.fixture("27612")

    def town_late(self):
        time.sleep(LATE)
        self.fixture("27612")

    def town_silent(self):
        time.sleep(MAX_HOLD)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def __init__(self, fixtures, log, port, lock, tls=None):
        super().__init__(("127.0.0.1", port), Handler)
        self.fixtures = fixtures
        self.log = log
        self.lock = lock
        self.answered_firstonly = False
        self.tls = tls

    # The handshake happens in the connection's own thread, so a client that never finishes
    # it holds only its thread.
    def get_request(self):
        connection, address = super().get_request()
        if self.tls:
            connection = self.tls.wrap_socket(connection, server_side=True,
                                              do_handshake_on_connect=False)
        return connection, address

    def handle_error(self, request, client_address):
        pass  # a failed handshake or a client that left

    def record(self, handler):
        entry = {"line": handler.requestline, "time": time.time(),
                 "headers": [[name, value] for name, value in handler.headers.items()]}
        with self.lock, open(self.log, "a", encoding="utf-8") as log:
            log.write(json.dumps(entry, ensure_ascii=False) + "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fixtures", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port", type=int, default=0, help="0: any free port")
    parser.add_argument("--tls-port", type=int, help="0: any free port")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    options = parser.parse_args()
    lock = threading.Lock()
    server = Server(options.fixtures, options.log, options.port, lock)
    ports = [server.server_address[1]]
    if options.tls_port is not None:
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(options.cert, options.key)
        secure = Server(options.fixtures, options.log, options.tls_port, lock, tls)
        ports.append(secure.server_address[1])
        threading.Thread(target=secure.serve_forever, daemon=True).start()
    print("\n".join(str(port) for port in ports), flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
