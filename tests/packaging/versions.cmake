# cmake -DVERSION=X.Y.Z -DSOURCE=DIR -P versions.cmake: the metainfo's newest release and the
# Debian changelog's version are the project's.
file(READ ${SOURCE}/data/org.example.zeltoria.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" match "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "the metainfo's newest release is ${CMAKE_MATCH_1}, not ${VERSION}")
endif()
file(STRINGS ${SOURCE}/debian/changelog first LIMIT_COUNT 1)
string(REGEX MATCH "^zeltoria \\(([^)]*)\\)" match "${first}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "debian/changelog is at ${CMAKE_MATCH_1}, not ${VERSION}")
endif()
