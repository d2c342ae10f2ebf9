# Seeds of the fuzz targets, shared by fuzz/run.sh and fuzz/coverage.sh (sourced, not run):
#
#   seed_corpus <target> <folder>
#
# fills <folder> with the seeds of <target>: the test EDIDs of tests/data/edid, and the EDIDs of
# FUZZ_SEED_CORPUS (default ../shared/edid-corpus-large beside the repository, when it is there)
# that carry a CTA-861 (tag 02h) or DisplayID (tag 70h) extension block. fuzz_hextext gets the
# test EDIDs written as hex text in the shapes its reader accepts (plain pairs, 0x-prefixed
# with commas, an xrandr --verbose EDID block); fuzz_textfiles the resource files and a
# settings file.

seeds_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The files of folder $1 that hold a whole extension block of tag 02h or 70h, one per line. One
# od reads them all: awk cuts its byte stream back into files by their sizes.
extension_rich_edids() {
    local list
    list=$(mktemp)
    find "$1" -maxdepth 1 -name '*.bin' -size +128c -printf '%s %p\n' | sort -k 2 >"$list"
    if [[ -s $list ]]; then
        cut -d ' ' -f 2- "$list" | xargs cat | od -An -v -tx1 -w1 | awk -v list="$list" '
            BEGIN {
                while ((getline line < list) > 0) {
                    split(line, field, " ")
                    size[++files] = field[1]
                    name[files] = substr(line, length(field[1]) + 2)
                }
                file = 1
            }
            {
                if (at > 0 && at % 128 == 0 && at + 128 <= size[file] && ($1 == "02" || $1 == "70"))
                    rich[file] = 1
                if (++at == size[file]) {
                    if (rich[file]) print name[file]
                    file++
                    at = 0
                }
            }'
    fi
    rm -f "$list"
}

# True when target $1 takes EDID bytes (every target but the two text readers).
takes_edids() {
    [[ $1 != fuzz_textfiles && $1 != fuzz_hextext ]]
}

seed_corpus() {
    local target=$1 folder=$2 file name
    local large=${FUZZ_SEED_CORPUS:-$seeds_root/../shared/edid-corpus-large}
    case $target in
        fuzz_textfiles)
            cp "$seeds_root"/resources/*.txt "$folder/"
            printf '# settings\n[fuzz]\nKey = value\n\n[libEDID]\nDumpEDID.value = on\n' \
                >"$folder/settings.ini"
            ;;
        fuzz_hextext)
            for file in "$seeds_root"/tests/data/edid/*.bin; do
                name=$(basename "$file" .bin)
                od -An -v -tx1 "$file" >"$folder/$name.hex"
                od -An -v -tx1 "$file" | sed 's/ \([0-9a-f][0-9a-f]\)/0x\1, /g' >"$folder/$name.0x"
                { printf '\tEDID: \n'; od -An -v -tx1 -w16 "$file" | tr -d ' ' | sed 's/^/\t\t/'; } \
                    >"$folder/$name.xrandr"
            done
            ;;
        *)
            cp "$seeds_root"/tests/data/edid/*.bin "$folder/"
            if [[ -d $large ]]; then
                extension_rich_edids "$large" | xargs -r cp -t "$folder/"
            fi
            ;;
    esac
}
