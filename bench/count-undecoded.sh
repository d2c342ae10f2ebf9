#!/bin/sh
# Counts the data blocks that `edid-check --json` leaves undecoded over a folder of EDIDs: the
# reports "CTADataBlock" and "CTAExtendedDataBlock" (CTA-861 tag or extended tag, and length)
# and "DisplayIDDataBlockNotDecoded" (DisplayID tag). Prints one line per kind with its count
# and whether a published standard defines it, then the total of those that one does.
# Usage: bench/count-undecoded.sh EDID_CHECK FOLDER
# Exit status 1 when a kind that a standard defines is left undecoded.
set -eu
tool=$(realpath "$1")
cd "$2"
# CTA-861 data block tags 1-4 and 7, tag 5 (VESA's display transfer characteristic data block,
# written for CTA-861 extensions; only tags 0 and 6 are reserved) and the extended tags of CTA-861-I and HDMI 2.1. Extended
# tag 16 is not in the list: published CTA-861 versions reserve it for miscellaneous audio
# fields without giving a layout, so a block of that tag is counted as reserved. DisplayID
# tags that are not reserved in their version are told by edid-check itself (reserved ones
# are reported as "DisplayIDReservedTag", never as not decoded).
cta_tags=" 1 2 3 4 5 7 "
cta_extended=" 0 1 2 3 4 5 6 7 8 13 14 15 17 18 19 20 32 34 35 42 120 121 "
ls -- *.bin | "$tool" --json --from-file - |
    grep -o '"key":"\(CTADataBlock\|CTAExtendedDataBlock\|DisplayIDDataBlockNotDecoded\)"[^}]*' |
    sed -e 's/.*"key":"CTADataBlock".*tag \([0-9]*\),.*/cta-tag \1/' \
        -e 's/.*"key":"CTAExtendedDataBlock".*tag \([0-9]*\),.*/cta-extended-tag \1/' \
        -e 's/.*"key":"DisplayIDDataBlockNotDecoded".*data block \([0-9A-F]*h\).*/displayid-tag \1/' |
    sort | uniq -c | sort -rn |
    {
        standard=0
        while read -r count kind tag; do
            case "$kind" in
                cta-tag) defined=$(case "$cta_tags" in *" $tag "*) echo yes ;; *) echo no ;; esac) ;;
                cta-extended-tag) defined=$(case "$cta_extended" in *" $tag "*) echo yes ;; *) echo no ;; esac) ;;
                *) defined=yes ;;
            esac
            [ "$defined" = yes ] && standard=$((standard + count))
            echo "$count $kind $tag $( [ "$defined" = yes ] && echo standard || echo reserved)"
        done
        echo "undecoded data blocks of a standard kind: $standard"
        [ "$standard" -eq 0 ]
    }
