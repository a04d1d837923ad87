#!/usr/bin/env python3
"""POP3 servers over TLS on 127.0.0.1 for the mailbox tests, natively and
under Wine (where the test program cannot host a TLS server of its own).

  tls_pop3_server.py start DIR   makes fresh certificates, starts the servers
                                 in the background, writes DIR/server.txt
  tls_pop3_server.py stop DIR    stops them

Every key is made at start and lives only in DIR. Each scenario listens on
its own port; every line a client sends is appended to DIR/<scenario>.log as
"plain <line>" or "tls <line>", so a test sees what crossed the wire in clear.
"""
import datetime
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import NameOID

LIFETIME_SECONDS = 900  # the servers end by themselves if nobody stops them
MESSAGE = ("From: Ann <ann@example.org>\r\nSubject: Over TLS\r\n"
           "Date: Tue, 5 Mar 2002 10:00:00 +0300\r\n")


def make_certificate(directory, name, dns_names, not_before, not_after):
    key = ec.generate_private_key(ec.SECP256R1())
    subject = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, dns_names[0])])
    alt = [x509.DNSName(n) for n in dns_names]
    if "localhost" in dns_names:
        import ipaddress
        alt.append(x509.IPAddress(ipaddress.ip_address("127.0.0.1")))
    cert = (x509.CertificateBuilder().subject_name(subject).issuer_name(subject)
            .public_key(key.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(not_before).not_valid_after(not_after)
            .add_extension(x509.SubjectAlternativeName(alt), critical=False)
            .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
            .add_extension(x509.ExtendedKeyUsage([x509.oid.ExtendedKeyUsageOID.SERVER_AUTH]),
                           critical=False)
            .sign(key, hashes.SHA256()))
    cert_path = os.path.join(directory, name + ".crt")
    key_path = os.path.join(directory, name + ".key")
    with open(cert_path, "wb") as f:
        f.write(cert.public_bytes(serialization.Encoding.PEM))
    with open(key_path, "wb") as f:
        f.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                  serialization.NoEncryption()))
    digest = cert.fingerprint(hashes.SHA256())
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert_path, key_path)
    return context, ":".join("%02X" % b for b in digest)


class Session:
    def __init__(self, directory, scenario, sock, context):
        self.log_path = os.path.join(directory, scenario + ".log")
        self.sock = sock
        self.context = context
        self.secure = False
        self.pending = b""

    def log(self, line):
        with open(self.log_path, "a", encoding="latin-1") as f:
            f.write(("tls " if self.secure else "plain ") + line + "\n")

    def send(self, text):
        self.sock.sendall(text.encode("latin-1"))

    def read_line(self):
        while b"\n" not in self.pending:
            chunk = self.sock.recv(4096)
            if not chunk:
                return None
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        line = line.rstrip(b"\r").decode("latin-1")
        self.log(line)
        return line

    def upgrade(self):
        self.sock = self.context.wrap_socket(self.sock, server_side=True)
        self.secure = True

    def serve(self, capabilities):
        self.send("+OK test server ready\r\n")
        while True:
            line = self.read_line()
            if line is None:
                return
            word = line.split(" ")[0].upper()
            if word == "CAPA":
                if capabilities is None:
                    self.send("-ERR no capabilities here\r\n")
                else:
                    shown = [c for c in capabilities if not (self.secure and c == "STLS")]
                    self.send("+OK\r\n" + "".join(c + "\r\n" for c in shown) + ".\r\n")
            elif word == "STLS" and capabilities and "STLS" in capabilities and not self.secure:
                self.send("+OK begin TLS\r\n")
                self.upgrade()
            elif word in ("USER", "PASS"):
                self.send("+OK\r\n")
            elif word == "UIDL":
                self.send("+OK\r\n1 tls-1\r\n.\r\n")
            elif word == "TOP":
                self.send("+OK\r\n" + MESSAGE + "\r\n.\r\n")
            elif word == "QUIT":
                self.send("+OK bye\r\n")
                return
            else:
                self.send("-ERR unknown command\r\n")


def serve_forever(directory, scenario, listener, handler):
    while True:
        sock, _ = listener.accept()
        threading.Thread(target=handler, args=(directory, scenario, sock), daemon=True).start()


def run(directory):
    now = datetime.datetime.now(datetime.timezone.utc)
    day = datetime.timedelta(days=1)
    good, good_print = make_certificate(directory, "good", ["localhost"], now - day, now + 30 * day)
    wrong, wrong_print = make_certificate(directory, "wronghost", ["wrong.example"], now - day,
                                          now + 30 * day)
    expired, expired_print = make_certificate(directory, "expired", ["localhost"], now - 30 * day,
                                              now - day)

    def implicit(context):
        def handler(directory, scenario, sock):
            session = Session(directory, scenario, sock, context)
            try:
                session.upgrade()
                session.serve(["UIDL", "TOP"])
            except (OSError, ssl.SSLError):
                pass
            finally:
                session.sock.close()
        return handler

    def plain(capabilities):
        def handler(directory, scenario, sock):
            session = Session(directory, scenario, sock, good)
            try:
                session.serve(capabilities)
            except (OSError, ssl.SSLError):
                pass
            finally:
                session.sock.close()
        return handler

    def stall(directory, scenario, sock):
        # Accepts and reads the client's hello but never answers it.
        sock.settimeout(LIFETIME_SECONDS)
        try:
            while sock.recv(4096):
                pass
        except OSError:
            pass
        sock.close()

    scenarios = {
        "tls": implicit(good),
        "wronghost": implicit(wrong),
        "expired": implicit(expired),
        "stls": plain(["UIDL", "TOP", "STLS", "USER"]),
        "stlsnever": plain(["UIDL", "TOP", "STLS", "USER"]),
        "stlsuntrusted": plain(["UIDL", "TOP", "STLS", "USER"]),
        "nostls": plain(["UIDL", "TOP", "USER"]),
        "nostlsrequired": plain(["UIDL", "TOP", "USER"]),
        "capaerr": plain(None),
        "capaerrrequired": plain(None),
        "stall": stall,
    }
    ports = {}
    for name, handler in scenarios.items():
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.bind(("127.0.0.1", 0))
        listener.listen(16)
        ports[name] = listener.getsockname()[1]
        threading.Thread(target=serve_forever, args=(directory, name, listener, handler),
                         daemon=True).start()
    prints = {"good": good_print, "wronghost": wrong_print, "expired": expired_print}
    lines = ["port %s %d\n" % item for item in ports.items()]
    lines += ["fingerprint %s %s\n" % item for item in prints.items()]
    with open(os.path.join(directory, "server.tmp"), "w") as f:
        f.writelines(lines)
    os.replace(os.path.join(directory, "server.tmp"), os.path.join(directory, "server.txt"))
    time.sleep(LIFETIME_SECONDS)


def stop(directory):
    try:
        with open(os.path.join(directory, "server.pid")) as f:
            os.kill(int(f.read()), signal.SIGTERM)
    except (OSError, ValueError):
        pass


def start(directory):
    stop(directory)
    os.makedirs(directory, exist_ok=True)
    for name in os.listdir(directory):
        os.remove(os.path.join(directory, name))
    with open(os.path.join(directory, "server.out"), "w") as out:
        child = subprocess.Popen([sys.executable, os.path.abspath(__file__), "run", directory],
                                 stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
    with open(os.path.join(directory, "server.pid"), "w") as f:
        f.write(str(child.pid))
    for _ in range(300):
        if os.path.exists(os.path.join(directory, "server.txt")):
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.1)
    sys.stderr.write(open(os.path.join(directory, "server.out")).read())
    return 1


if __name__ == "__main__":
    command, where = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "start":
        sys.exit(start(where))
    if command == "stop":
        stop(where)
    elif command == "run":
        run(where)
