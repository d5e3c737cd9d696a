# Writes the service worker into the site: its cache is named after a hash of the site's other
# files, in a fixed order, so that the same files always give the same service worker.
# Run with -DSITE=<folder> -DTEMPLATE=<sw.js.in> -DFILES=<names separated by ;>.
set(contents "")
set(names "'./'")
foreach(name IN LISTS FILES)
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND contents "${name} ${hash}\n")
    string(APPEND names ", '${name}'")
endforeach()
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
set(SITE_FILES "${names}")
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
