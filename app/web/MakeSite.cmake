# Makes the site in SITE: index.html and sw.js at its top, every other file in a folder named by
# the hash of all their contents. The program, its code, the data files and the page's own files
# are so one set: a page names exactly the files of its build, they may be cached for ever, and
# a new build is a new folder, never a mix. Run by the build with -P, given SITE, MODULE (the
# folder of zeltoria.js and .wasm), SOURCE (app/web), DATA (the folder of zelto.vx8 and of each
# language's LL/zelto.vx8), ART (the art builder's pictures), LANGUAGES (their codes, apart by
# commas), WORDS (the page's words, from the catalogues) and MANIFESTS (LL.webmanifest for each).
# A language's files lie in a folder LL of the set's: a visitor fetches only their own.
string(REPLACE "," ";" LANGUAGES "${LANGUAGES}")
set(common_files
    "access.js|${SOURCE}/access.js"
    "zeltoria.js|${MODULE}/zeltoria.js"
    "zeltoria.wasm|${MODULE}/zeltoria.wasm"
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
file(READ ${WORDS} PAGE_LANGUAGES)
foreach(file IN ITEMS site.css manifest.webmanifest page.js)
  configure_file(${SOURCE}/${file} ${work}/${file} @ONLY)
  list(APPEND common_files "${file}|${work}/${file}")
endforeach()
# English's data file at the set's top, the other languages' files in their folders.
set(files_of_ "zelto.vx8|${DATA}/zelto.vx8")
foreach(code IN LISTS LANGUAGES)
  configure_file(${MANIFESTS}/${code}.webmanifest ${work}/${code}/manifest.webmanifest @ONLY)
  set(files_of_${code} "${code}/zelto.vx8|${DATA}/${code}/zelto.vx8"
                       "${code}/manifest.webmanifest|${work}/${code}/manifest.webmanifest")
endforeach()
set(every_file ${common_files} ${files_of_})
foreach(code IN LISTS LANGUAGES)
  list(APPEND every_file ${files_of_${code}})
endforeach()

set(sums "")
foreach(pair IN LISTS every_file)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 to)
  list(GET parts 1 from)
  file(SHA256 ${from} sum)
  string(APPEND sums "${to} ${sum}\n")
endforeach()
string(SHA256 VERSION "${sums}")
string(SUBSTRING ${VERSION} 0 16 VERSION)

# Copies the files of `pairs` into the set and gives their addresses as JavaScript strings.
function(copy_into_set pairs out)
  set(names "")
  foreach(pair IN LISTS pairs)
    string(REPLACE "|" ";" parts "${pair}")
    list(GET parts 0 to)
    list(GET parts 1 from)
    get_filename_component(folder ${SITE}/${VERSION}/${to} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${from} ${SITE}/${VERSION}/${to})
    string(APPEND names "\"${VERSION}/${to}\", ")
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SITE})
copy_into_set("${common_files}" FILES)
copy_into_set("${files_of_}" english)
set(LANGUAGE_FILES "\"\": [${english}],")
foreach(code IN LISTS LANGUAGES)
  copy_into_set("${files_of_${code}}" named)
  string(APPEND LANGUAGE_FILES "\n  \"${code}\": [${named}],")
endforeach()
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
file(REMOVE_RECURSE ${work})
