#!/usr/bin/env python3
"""Starts the servers the HTTP client's end-to-end tests talk to, all on 127.0.0.1, runs the test
command with their ports in the environment, and stops them again.

    test_servers.py WORK_FOLDER -- COMMAND [ARGUMENTS...]

Servers, and the variable that carries each port:
  VERDELO_TEST_HTTP_PORT      routes over HTTP (Python's http.server)
  VERDELO_TEST_HTTPS_PORT     the same routes over TLS (Python's ssl); /sni answers the server name
  VERDELO_TEST_S_SERVER_PORT  openssl s_server -WWW, serving WORK_FOLDER/www
  VERDELO_TEST_TLS10_PORT     openssl s_server -WWW speaking TLS 1.0 only
  VERDELO_TEST_PROXY_PORT     tinyproxy, wanting the proxy credentials proxy:secret
  VERDELO_TEST_TRICKLE_PORT   passes connections on to the TLS routes, handing their bytes back
                              four at a time, 5 ms apart
  VERDELO_TEST_SILENT_PORT    accepts connections and never sends a byte
  VERDELO_TEST_SLOW_PORT      answers "1.2.3\n", its head one byte every half second (about 12 s)
  VERDELO_TEST_STALLED_PORT   a listener whose queue is full, so a connect never completes
  VERDELO_TEST_CLOSED_PORT    nothing listens there

Routes: /version ("1.2.3\\n" with Content-Length), /redirect (302 to /version on the same
server), /auth (needs Basic user:pass, else 401), /sni (the name the client sent in the TLS
handshake, "-" for none). The certificate is made afresh for every run and thrown away after it.
"""

import base64
import http.server
import os
import shutil
import socket
import ssl
import subprocess
import sys
import threading
import time

VERSION = b"1.2.3\n"
CREDENTIALS = "Basic " + base64.b64encode(b"user:pass").decode()


class Routes(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        scheme = "https" if isinstance(self.connection, ssl.SSLSocket) else "http"
        if self.path == "/version":
            self.reply(200, VERSION)
        elif self.path == "/redirect":
            target = "%s://127.0.0.1:%d/version" % (scheme, self.server.server_address[1])
            self.reply(302, b"", [("Location", target)])
        elif self.path == "/auth":
            if self.headers.get("Authorization") == CREDENTIALS:
                self.reply(200, VERSION)
            else:
                self.reply(401, b"", [("WWW-Authenticate", 'Basic realm="test"')])
        elif self.path == "/sni":
            name = getattr(self.connection, "verdelo_server_name", None) or "-"
            self.reply(200, name.encode())
        else:
            self.reply(404, b"not found")


class RouteServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    tls = None  # an ssl.SSLContext for the TLS twin

    def finish_request(self, request, client_address):
        # The handshake runs on the request's own thread, so a client that never finishes it
        # holds up no one else.
        if self.tls is not None:
            try:
                request = self.tls.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return
        super().finish_request(request, client_address)


def tls_context(cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)

    def remember_name(sock, name, _context):
        sock.verdelo_server_name = name

    context.sni_callback = remember_name
    return context


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def accepting_server(handle):
    """A listener that hands each connection to handle() on a thread of its own."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)

    def accept():
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=handle, args=(connection,), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    return listener.getsockname()[1], listener


def silent_server():
    held = []
    port, listener = accepting_server(held.append)
    return port, (listener, held)


def trickling_relay(target_port):
    def pass_on(source, target):
        try:
            while data := source.recv(4096):
                target.sendall(data)
        except OSError:
            pass

    def relay(client):
        with client, socket.create_connection(("127.0.0.1", target_port)) as target:
            # Without it, the small pieces would be gathered into larger segments.
            client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            threading.Thread(target=pass_on, args=(client, target), daemon=True).start()
            try:
                while data := target.recv(4096):
                    for at in range(0, len(data), 4):
                        client.sendall(data[at:at + 4])
                        time.sleep(0.005)
            except OSError:
                pass

    return accepting_server(relay)


def slow_server():
    # Each byte comes well within the idle time-out, and the reply is complete in the end: only a
    # limit on the whole fetch stops a client from waiting for it.
    def answer(connection):
        with connection:
            try:
                connection.recv(4096)
                connection.sendall(b"HTTP/1.0 200 OK\r\nX-Slow: ")
                for _ in range(24):
                    time.sleep(0.5)
                    connection.sendall(b"a")
                connection.sendall(b"\r\nContent-Length: 6\r\n\r\n" + VERSION)
            except OSError:
                pass

    return accepting_server(answer)


def stalled_server():
    # Linux keeps one connection in the queue of a listen(0) socket and drops later connection
    # requests while it is full: one connection fills it, and the next connect waits for ever.
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    filler = socket.create_connection(listener.getsockname())
    return listener.getsockname()[1], (listener, filler)


def closed_port():
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


def start_s_server(work, cert, key, extra):
    process = subprocess.Popen(
        ["openssl", "s_server", "-accept", "127.0.0.1:0", "-cert", cert, "-key", key, "-WWW"] + extra,
        cwd=os.path.join(work, "www"), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL, text=True)
    for line in process.stdout:
        if line.startswith("ACCEPT "):
            # It reports every connection; drained, so a full pipe never stops it.
            threading.Thread(target=process.stdout.read, daemon=True).start()
            return int(line.rsplit(":", 1)[1]), process
    raise RuntimeError("openssl s_server did not start")


def start_tinyproxy(work):
    # tinyproxy takes its port from its configuration; a port that was free a moment ago is
    # taken, and another tried when someone else got there first.
    for _ in range(5):
        port = closed_port()
        config = os.path.join(work, "tinyproxy.conf")
        with open(config, "w") as f:
            f.write("Port %d\nListen 127.0.0.1\nTimeout 30\nMaxClients 20\nAllow 127.0.0.1\n"
                    "BasicAuth proxy secret\nLogLevel Critical\nPidFile \"%s/tinyproxy.pid\"\n"
                    % (port, work))
            if os.geteuid() == 0:
                f.write("User nobody\nGroup nogroup\n")
        process = subprocess.Popen(["tinyproxy", "-d", "-c", config], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 5
        while time.time() < deadline and process.poll() is None:
            try:
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
                return port, process
            except OSError:
                time.sleep(0.05)
        process.kill()
        process.wait()
    raise RuntimeError("tinyproxy did not start")


def make_certificate(work):
    cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                    "-nodes", "-subj", "/CN=localhost", "-days", "2", "-keyout", key, "-out", cert],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        sys.exit(__doc__)
    work, command = sys.argv[1], sys.argv[3:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "www"))
    with open(os.path.join(work, "www", "version.txt"), "wb") as f:
        f.write(VERSION)
    cert, key = make_certificate(work)

    processes = []
    keep = []
    try:
        http_server = RouteServer(("127.0.0.1", 0), Routes)
        https_server = RouteServer(("127.0.0.1", 0), Routes)
        https_server.tls = tls_context(cert, key)
        env = dict(os.environ)
        env["VERDELO_TEST_HTTP_PORT"] = str(serve(http_server))
        env["VERDELO_TEST_HTTPS_PORT"] = str(serve(https_server))
        port, listener = trickling_relay(https_server.server_address[1])
        keep.append(listener)
        env["VERDELO_TEST_TRICKLE_PORT"] = str(port)
        port, process = start_s_server(work, cert, key, [])
        processes.append(process)
        env["VERDELO_TEST_S_SERVER_PORT"] = str(port)
        port, process = start_s_server(work, cert, key, ["-tls1", "-cipher", "DEFAULT:@SECLEVEL=0"])
        processes.append(process)
        env["VERDELO_TEST_TLS10_PORT"] = str(port)
        port, process = start_tinyproxy(work)
        processes.append(process)
        env["VERDELO_TEST_PROXY_PORT"] = str(port)
        port, held = silent_server()
        keep.append(held)
        env["VERDELO_TEST_SILENT_PORT"] = str(port)
        port, listener = slow_server()
        keep.append(listener)
        env["VERDELO_TEST_SLOW_PORT"] = str(port)
        port, held = stalled_server()
        keep.append(held)
        env["VERDELO_TEST_STALLED_PORT"] = str(port)
        env["VERDELO_TEST_CLOSED_PORT"] = str(closed_port())
        return subprocess.call(command, env=env, stdin=subprocess.DEVNULL)
    finally:
        for process in processes:
            process.terminate()
        for process in processes:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


if __name__ == "__main__":
    sys.exit(main())
