# Writes a C++ file holding every file of the web page as bytes, so the program serves its page
# with nothing beside it. Run at build time with SOURCE_DIR, OUTPUT and FILES (a ;-list).
set(entries "")
set(arrays "")
set(index 0)
foreach(name IN LISTS FILES)
  file(READ "${SOURCE_DIR}/${name}" bytes HEX)
  string(LENGTH "${bytes}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  if(name MATCHES "\\.html$")
    set(type "text/html; charset=utf-8")
  elseif(name MATCHES "\\.js$")
    set(type "text/javascript; charset=utf-8")
  elseif(name MATCHES "\\.css$")
    set(type "text/css; charset=utf-8")
  elseif(name MATCHES "\\.svg$")
    set(type "image/svg+xml")
  else()
    set(type "application/octet-stream")
  endif()
  string(APPEND arrays "const unsigned char kFile${index}[] = {${bytes}0};\n")
  string(APPEND entries
    "    {\"/${name}\", {\"${type}\", {reinterpret_cast<const char*>(kFile${index}), ${size}}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Made at build time from web/; do not edit.
#include \"service/web_assets.h\"

#include <array>
#include <utility>

namespace hsq {
namespace {
${arrays}
const std::array<std::pair<std::string_view, WebAsset>, ${index}> kAssets{{
${entries}}};
}  // namespace

std::optional<WebAsset> FindWebAsset(std::string_view path) {
    if (path == \"/\") path = \"/index.html\";
    for (const auto& [name, asset] : kAssets) {
        if (name == path) return asset;
    }
    return std::nullopt;
}

}  // namespace hsq
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
