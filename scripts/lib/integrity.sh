# What lets a user check a release before running it as administrator:
# Authenticode signatures on the Windows programs and the installer, made
# and verified with osslsigncode, and the SHA-256 of every file. Sourced by
# scripts/lib/windows-packages.sh.
#
# The packager names the certificate in the environment:
#   QUORVANE_SIGN_PKCS12         a code-signing certificate with its key, in
#                                a PKCS#12 file; without it nothing is signed
#   QUORVANE_SIGN_PASSWORD_FILE  a file that holds its password, if it has one
#   QUORVANE_TIMESTAMP_URL       an RFC 3161 time-stamping server, optional:
#                                a time-stamped signature stays valid after
#                                the certificate expires
#   QUORVANE_SIGN_CA_FILE        the authorities that the certificate and the
#                                server must lead to, by default the system's
#                                (ca-certificates)
# osslsigncode reads the password from its file (-readpass): it is never on
# a command line, in the environment or in a variable of these scripts, and
# nothing here traces its commands.

# signing_requested: whether a certificate is named.
signing_requested() {
  [ -n "${QUORVANE_SIGN_PKCS12:-}" ]
}

# check_signing_settings: returns non-zero, saying why, when the settings
# cannot sign: a file named that cannot be read, osslsigncode missing, or a
# password, a server or authorities named without a certificate, with which
# nothing would be signed.
check_signing_settings() {
  local name
  if ! signing_requested; then
    for name in QUORVANE_SIGN_PASSWORD_FILE QUORVANE_TIMESTAMP_URL QUORVANE_SIGN_CA_FILE; do
      if [ -n "${!name:-}" ]; then
        echo "$name is set, but no QUORVANE_SIGN_PKCS12 names a certificate to sign with" >&2
        return 1
      fi
    done
    return 0
  fi
  for name in QUORVANE_SIGN_PKCS12 QUORVANE_SIGN_PASSWORD_FILE QUORVANE_SIGN_CA_FILE; do
    if [ -n "${!name:-}" ] && ! { [ -f "${!name}" ] && [ -r "${!name}" ]; }; then
      echo "$name names ${!name}, which cannot be read" >&2
      return 1
    fi
  done
  command -v osslsigncode >/dev/null || { echo "osslsigncode is not installed" >&2; return 1; }
}

# verify_signature FILE: osslsigncode's verification of FILE's Authenticode
# signature: the digest of FILE's bytes, and the chains of the certificate
# and of the time stamp's server up to the authorities of
# QUORVANE_SIGN_CA_FILE, or of the system.
verify_signature() {
  local authorities=()
  [ -z "${QUORVANE_SIGN_CA_FILE:-}" ] ||
    authorities=(-CAfile "$QUORVANE_SIGN_CA_FILE" -TSA-CAfile "$QUORVANE_SIGN_CA_FILE")
  osslsigncode verify "${authorities[@]}" -in "$1"
}

# sign_into FILE TARGET URL: when a certificate is named, replaces TARGET by
# FILE signed (a SHA-256 digest, described as Quorvane with URL, which
# Windows' elevation prompt shows, and time-stamped when a server is named),
# once its signature verifies; otherwise by a copy of FILE. Returns non-zero,
# with osslsigncode's words, when signing or verifying fails, and then
# leaves no TARGET.
sign_into() {
  local file=$1 target=$2 url=$3
  rm -f "$target"
  if ! signing_requested; then
    cp "$file" "$target"
    return
  fi
  local options=(-pkcs12 "$QUORVANE_SIGN_PKCS12" -h sha256 -n Quorvane -i "$url")
  [ -z "${QUORVANE_SIGN_PASSWORD_FILE:-}" ] || options+=(-readpass "$QUORVANE_SIGN_PASSWORD_FILE")
  [ -z "${QUORVANE_TIMESTAMP_URL:-}" ] || options+=(-ts "$QUORVANE_TIMESTAMP_URL")
  # osslsigncode writes no file over another: it signs into a new one.
  local work failure=""
  work=$(mktemp -d)
  if ! osslsigncode sign "${options[@]}" -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
    failure="Signing ${target##*/} failed"
  elif ! verify_signature "$work/signed" >"$work/log" 2>&1; then
    failure="The signature of ${target##*/} does not verify against the authorities of"
    failure+=" ${QUORVANE_SIGN_CA_FILE:-the system}"
  elif ! mv "$work/signed" "$target"; then
    failure="Cannot write $target"
  fi
  if [ -n "$failure" ]; then
    echo "$failure:" >&2
    cat "$work/log" >&2
  else
    echo "Signed and verified: ${target##*/}"
  fi
  rm -rf "$work"
  [ -z "$failure" ]
}

# write_checksums FOLDER: writes FOLDER/SHA256SUMS, the SHA-256 of every
# other file in FOLDER, as `sha256sum -c SHA256SUMS` checks them there.
write_checksums() {
  # The names are expanded before the redirection makes the new file.
  (cd "$1" && rm -f SHA256SUMS && sha256sum -- * >SHA256SUMS.part &&
    mv SHA256SUMS.part SHA256SUMS)
}
