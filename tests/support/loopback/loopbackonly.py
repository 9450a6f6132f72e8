#!/usr/bin/env python3
"""Runs test programs under strace and fails when any of their processes
(the web engine's helpers included) connects or sends to an address outside
loopback. A name lookup shows up as a packet to the name server, so it fails
too.

Usage: loopbackonly.py PROGRAM [PROGRAM ...]
Exit 0: every program stayed on loopback; 1: one reached outside; 77: strace
is missing (the test is skipped).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

CALLS = "socket,connect,sendto,sendmsg,sendmmsg,close"
INET4 = re.compile(r'sa_family=AF_INET, sin_port=htons\((\d+)\), sin_addr=inet_addr\("([^"]+)"\)')
INET6 = re.compile(r'sa_family=AF_INET6, sin6_port=htons\((\d+)\).*?inet_pton\(AF_INET6, "([^"]+)"')
LINE = re.compile(r'^(\d+)\s+(.*)$')
CALL = re.compile(r'^(socket|connect|sendto|sendmsg|sendmmsg|close)\((\d+)?')
RESUMED = re.compile(r'^<\.\.\. (\w+) resumed>.*= (-?\d+)')
RESULT = re.compile(r'= (-?\d+)')


def loopback(address):
    if address.startswith("127.") or address == "::1":
        return True
    return address.startswith("::ffff:127.")


def outside_address(text):
    for pattern in (INET4, INET6):
        for port, address in pattern.findall(text):
            if not loopback(address):
                return "%s port %s" % (address, port)
    return None


def outside_contacts(trace_text):
    """Lines where a packet goes to an address outside loopback.

    A TCP connect sends its first packet at once. A UDP connect only picks
    the default destination (the web engine connects a UDP socket to a public
    address to learn whether IPv6 is routed, and sends nothing): it counts
    once the same thread sends on that socket, as a name lookup does."""
    found = []
    datagram = {}        # (thread, fd) -> True for UDP sockets
    udp_outside = {}     # (thread, fd) -> outside address the socket is connected to
    pending_socket = {}  # thread -> socket() call waiting for its result
    for raw in trace_text.splitlines():
        m = LINE.match(raw)
        if not m:
            continue
        tid, text = m.group(1), m.group(2)
        resumed = RESUMED.match(text)
        if resumed:
            if resumed.group(1) == "socket" and tid in pending_socket:
                fd = int(resumed.group(2))
                if fd >= 0:
                    datagram[(tid, fd)] = "SOCK_DGRAM" in pending_socket.pop(tid)
            continue
        call = CALL.match(text)
        if not call:
            continue
        name = call.group(1)
        if name == "socket":
            result = RESULT.search(text)
            if result and "<unfinished" not in text:
                fd = int(result.group(1))
                if fd >= 0:
                    datagram[(tid, fd)] = "SOCK_DGRAM" in text
                    udp_outside.pop((tid, fd), None)
            else:
                pending_socket[tid] = text
            continue
        fd = int(call.group(2)) if call.group(2) else -1
        if name == "close":
            datagram.pop((tid, fd), None)
            udp_outside.pop((tid, fd), None)
            continue
        where = outside_address(text)
        if name == "connect":
            if where and datagram.get((tid, fd)) is True:
                udp_outside[(tid, fd)] = where
            elif where:
                found.append("%s  <- %s" % (where, raw.strip()[:160]))
            continue
        # sendto / sendmsg / sendmmsg: to an explicit address or on a UDP
        # socket connected outside
        where = where or udp_outside.get((tid, fd))
        if where:
            found.append("%s  <- %s" % (where, raw.strip()[:160]))
    return found


def run(program, workdir):
    trace = os.path.join(workdir, os.path.basename(program) + ".trace")
    cmd = ["strace", "-f", "-qq", "-e", "trace=" + CALLS, "-o", trace, program]
    result = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    with open(trace, errors="replace") as f:
        text = f.read()
    return result.returncode, result.stdout.decode(errors="replace"), text


def main(programs):
    if not programs:
        print(__doc__)
        return 2
    if shutil.which("strace") is None:
        print("strace missing: skipped")
        return 77
    failed = False
    with tempfile.TemporaryDirectory() as workdir:
        for program in programs:
            code, output, trace = run(program, workdir)
            contacts = outside_contacts(trace)
            inet_calls = len(INET4.findall(trace)) + len(INET6.findall(trace))
            print("%s: exit %d, %d network calls traced, %d outside loopback"
                  % (os.path.basename(program), code, inet_calls, len(contacts)))
            if code != 0:
                # the program's own test reports its failure; this check
                # is about the network only
                print("  (the program itself failed; see its own test)")
            for c in contacts:
                print("  OUTSIDE: " + c)
                failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
