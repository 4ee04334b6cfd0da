#!/usr/bin/python3
# A real SMTP server on loopback for the mail tests: aiosmtpd, optional AUTH LOGIN and implicit TLS.
# usage: smtp_server.py OUTDIR [--tls CERT KEY] [--auth USER PASS] [--silent-after-greeting]
# Prints "READY <port>" when it accepts connections; each message is stored as OUTDIR/<n>.eml.
# --silent-after-greeting: prints "EHLO" when one comes and never answers it.
import asyncio, os, socket, ssl, sys, time
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

out = sys.argv[1]
args = sys.argv[2:]
tls = None
auth = None
silent = False
while args:
    if args[0] == "--tls":
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(args[1], args[2])
        args = args[3:]
    elif args[0] == "--auth":
        auth = (args[1].encode(), args[2].encode())
        args = args[3:]
    elif args[0] == "--silent-after-greeting":
        silent = True
        args = args[1:]
    else:
        sys.exit("bad argument " + args[0])

class Store:
    count = 0
    async def handle_DATA(self, server, session, envelope):
        Store.count += 1
        path = os.path.join(out, "%d.eml" % Store.count)
        with open(path + ".tmp", "wb") as f:
            f.write(("X-Envelope-From: %s\r\nX-Envelope-To: %s\r\n" % (envelope.mail_from, ",".join(envelope.rcpt_tos))).encode())
            f.write(envelope.original_content)
        os.rename(path + ".tmp", path)
        return "250 OK stored"

class SilentStore(Store):
    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        print("EHLO", flush=True)
        await asyncio.sleep(3600)
        return responses

def authenticator(server, session, envelope, mechanism, auth_data):
    ok = auth is not None and isinstance(auth_data, LoginPassword) and (auth_data.login, auth_data.password) == auth
    return AuthResult(success=ok, handled=False)

s = socket.socket()
s.bind(("127.0.0.1", 0))
port = s.getsockname()[1]
s.close()
kw = dict(hostname="127.0.0.1", port=port, server_hostname="localhost")
if auth is not None:
    kw.update(authenticator=authenticator, auth_require_tls=False, auth_exclude_mechanism=["PLAIN"])
if tls is not None:
    kw.update(ssl_context=tls)
ctl = Controller(SilentStore() if silent else Store(), **kw)
ctl.start()
print("READY %d" % port, flush=True)
try:
    # Ends with its parent: stdin closes when the test process goes away.
    sys.stdin.read()
finally:
    ctl.stop()
