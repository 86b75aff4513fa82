# Makes the site in SITE: index.html and sw.js at its top, every other file in a folder named by
# the hash of all their contents. The program, its code, the data file and the page's own files
# are so one set: a page names exactly the files of its build, they may be cached for ever, and
# a new build is a new folder, never a mix. Run by the build with -P, given SITE, MODULE (the
# folder of zeltoria.js and .wasm), SOURCE (app/web), DATA (zelto.vx8) and ART (the art
# builder's pictures).
set(set_files
    "page.js|${SOURCE}/page.js"
    "access.js|${SOURCE}/access.js"
    "zeltoria.js|${MODULE}/zeltoria.js"
    "zeltoria.wasm|${MODULE}/zeltoria.wasm"
    "zelto.vx8|${DATA}"
    "logo.png|${ART}/web/logo.png"
    "cursors/hand.png|${ART}/web/cursors/hand.png"
    "cursors/link.png|${ART}/web/cursors/link.png"
    "icon-192.png|${ART}/web/icon-192.png"
    "icon-512.png|${ART}/web/icon-512.png"
    "icon-maskable.png|${ART}/web/icon-maskable.png")

# The theme and background colours the art builder took from the palette.
file(STRINGS ${ART}/web/colours.txt colours REGEX "^[a-z_]+ #[0-9a-f]+$")
foreach(line IN LISTS colours)
  string(REPLACE " " ";" parts "${line}")
  list(GET parts 0 name)
  list(GET parts 1 value)
  string(TOUPPER ${name} name)
  set(${name} ${value})
endforeach()
if(NOT THEME_COLOR OR NOT BACKGROUND_COLOR)
  message(FATAL_ERROR "${ART}/web/colours.txt lacks the theme or background colour")
endif()

set(work ${SITE}.parts)
file(REMOVE_RECURSE ${work})
foreach(file IN ITEMS site.css manifest.webmanifest)
  configure_file(${SOURCE}/${file} ${work}/${file} @ONLY)
  list(APPEND set_files "${file}|${work}/${file}")
endforeach()

set(sums "")
foreach(pair IN LISTS set_files)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 to)
  list(GET parts 1 from)
  file(SHA256 ${from} sum)
  string(APPEND sums "${to} ${sum}\n")
endforeach()
string(SHA256 VERSION "${sums}")
string(SUBSTRING ${VERSION} 0 16 VERSION)

file(REMOVE_RECURSE ${SITE})
set(FILES "")
foreach(pair IN LISTS set_files)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 to)
  list(GET parts 1 from)
  get_filename_component(folder ${SITE}/${VERSION}/${to} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${from} ${SITE}/${VERSION}/${to})
  string(APPEND FILES "\n  \"${VERSION}/${to}\",")
endforeach()
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
file(REMOVE_RECURSE ${work})
