#!/usr/bin/env bash
# The menu entry, software-centre metadata and manual page pass their own validators, and they
# and the Debian changelog name the project's version.
#   bash install_validate.sh PACKAGING_DIR VERSION
set -euo pipefail
dir=$1 version=$2

fail() {
    echo "install_validate: $*" >&2
    exit 1
}

# desktop-file-validate exits 0 after warnings and hints; here they fail too, so the entry stays
# clean.
hints=$(desktop-file-validate "$dir/net.helixdash.HelixDash.desktop" 2>&1) ||
    fail "desktop-file-validate rejects the desktop entry: $hints"
[ -z "$hints" ] || fail "desktop-file-validate warns: $hints"

# Errors and warnings fail it; infos (such as the <developer> tag, which this validator does not
# know yet) pass.
report=$(appstreamcli validate --no-net "$dir/net.helixdash.HelixDash.metainfo.xml" 2>&1) ||
    fail "appstreamcli rejects the metainfo: $report"

warnings=$(MANWIDTH=80 man --warnings -l "$dir/helixdash.6" 2>&1 >/dev/null) ||
    fail "man cannot render the manual page: $warnings"
[ -z "$warnings" ] || fail "man warns about the manual page: $warnings"

# A version bump that forgets one of these shows an old version in the manual, the software
# centre or the package's changelog.
grep -q "^\.TH HELIXDASH 6 .* \"helixdash $version\"" "$dir/helixdash.6" ||
    fail "the manual page's title line does not name helixdash $version"
grep -q "<release version=\"$version\"" "$dir/net.helixdash.HelixDash.metainfo.xml" ||
    fail "the metainfo has no release $version"
logged=$(dpkg-parsechangelog -l "$dir/changelog" -S Version) ||
    fail "dpkg-parsechangelog cannot read the changelog"
[ "$logged" = "$version" ] || fail "the changelog's latest entry is $logged, not $version"
