#!/usr/bin/env python3
"""An HTTP proxy whose tunnels end in a TLS server with a self-signed
certificate, for testing how the program meets a certificate that is not
valid. Every CONNECT is answered "200" and the tunnel is served with the
certificate; a request that still arrives over it is noted in the log file.

Usage: tlsproxy.py --folder DIR   (writes DIR/port; DIR/pyynnot collects
"METHOD host path" lines of requests that got through)
"""
import argparse
import os
import socket
import ssl
import subprocess
import sys
import threading


def exit_with_parent():
    parent = os.getppid()

    def watch():
        import time
        while os.getppid() == parent:
            time.sleep(0.5)
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


def make_certificate(folder):
    key, cert = os.path.join(folder, "avain.pem"), os.path.join(folder, "varmenne.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                    "-out", cert, "-days", "2", "-subj", "/CN=www.vasaro.test"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def read_head(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk
    return data


def serve(conn, context, log_path):
    try:
        head = read_head(conn)
        first = head.split(b"\r\n", 1)[0].decode("latin-1").split()
        if len(first) < 2 or first[0] != "CONNECT":
            conn.sendall(b"HTTP/1.1 405 Only tunnels\r\nContent-Length: 0\r\n\r\n")
            return
        host = first[1].split(":")[0]
        conn.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
        tls = context.wrap_socket(conn, server_side=True)
        request = read_head(tls).split(b"\r\n", 1)[0].decode("latin-1").split()
        if len(request) >= 2:
            with open(log_path, "a") as log:
                log.write("%s %s %s\n" % (request[0], host, request[1]))
            body = b"<html><head><title>Varmenteeton</title></head><body>Varmenteeton sivu</body></html>"
            tls.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: %d\r\n"
                        b"Connection: close\r\n\r\n%s" % (len(body), body))
        tls.close()
    except (OSError, ssl.SSLError):
        pass
    finally:
        conn.close()


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--folder", required=True)
    args = ap.parse_args()
    context = make_certificate(args.folder)
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    port_file = os.path.join(args.folder, "port")
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.getsockname()[1]))
    os.replace(port_file + ".tmp", port_file)
    log_path = os.path.join(args.folder, "pyynnot")
    while True:
        conn, _ = server.accept()
        threading.Thread(target=serve, args=(conn, context, log_path), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())
