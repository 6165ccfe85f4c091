#!/bin/sh
# Makes a certificate authority that only the tests trust, and a server certificate from it for
# the hosts the stand-in services answer for, into the given folder: ca.pem, server.pem and
# server.key. Nothing of it is kept beyond the test's temporary folder.
set -eu
cd "$1"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 \
  -subj "/CN=Tervalo test authority" -keyout ca.key -out ca.pem 2>/dev/null
openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes \
  -subj "/CN=api.open-meteo.com" -keyout server.key -out server.csr 2>/dev/null
printf '%s\n' "subjectAltName=DNS:api.open-meteo.com,DNS:geocoding-api.open-meteo.com,DNS:open-meteo.com,DNS:localhost,IP:127.0.0.1,IP:::1" \
  "basicConstraints=CA:FALSE" "extendedKeyUsage=serverAuth" > server.ext
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile server.ext -out server.pem 2>/dev/null
