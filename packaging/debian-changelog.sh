#!/bin/sh
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# debian-changelog.sh CHANGELOG VERSION MAINTAINER: CHANGELOG.md, from the
# release VERSION back to the first, as the Debian changelog that every
# Debian package carries; the unreleased changes are left out. Each kind of
# change (Added, Fixed...) is an item with its changes below it, and every
# line is wrapped to fit 80 columns.
set -eu
LC_ALL=C awk -v version="$2" -v maintainer="$3" '
function flush(    text, indent, more, words, count, i, line) {
    if (item == "")
        return
    text = item
    gsub(/`/, "", text)
    indent = kind == "" ? "  * " : "    - "
    more = kind == "" ? "    " : "      "
    count = split(text, words, " ")
    line = indent words[1]
    for (i = 2; i <= count; i++) {
        if (length(line) + 1 + length(words[i]) > 78) {
            print line
            line = more words[i]
        } else {
            line = line " " words[i]
        }
    }
    print line
    item = ""
}
function finish() {
    flush()
    if (date == "")
        return
    command = "date -u -R -d " date
    command | getline stamp
    close(command)
    print ""
    print " -- " maintainer "  " stamp
    date = ""
}
/^## \[/ {
    finish()
    heading = $0
    sub(/^## \[/, "", heading)
    release = heading
    sub(/\].*/, "", release)
    if (release == version)
        started = 1
    if (!started)
        next
    date = heading
    sub(/.*\] - /, "", date)
    if (date !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/) {
        print "debian-changelog.sh: no date in the heading of " release > "/dev/stderr"
        exit 1
    }
    if (entries++)
        print ""
    print "tembrela (" release ") unstable; urgency=medium"
    print ""
    kind = ""
    next
}
!started { next }
/^### / {
    flush()
    kind = substr($0, 5)
    print "  * " kind ":"
    next
}
/^- / { flush(); item = substr($0, 3); next }
/^$/ { flush(); next }
{ item = item == "" ? $0 : item " " $0 }
END {
    if (!started) {
        print "debian-changelog.sh: no release " version " in the changelog" > "/dev/stderr"
        exit 1
    }
    finish()
}
' "$1"
