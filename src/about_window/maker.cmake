# Who makes this build: the maker's name, the author line and the addresses that the about window
# shows and opens. A distributor sets them at configure time (cmake -DTASSEFICHE_WEB_PAGE=...); the
# defaults use the reserved .example domain, which leads nowhere.
set(TASSEFICHE_MAKER_NAME "Tassefiche" CACHE STRING
  "The maker's name, after \"Visitez le site officiel \"")
set(TASSEFICHE_AUTHOR "L'équipe Tassefiche" CACHE STRING "The author, in the author line")
set(TASSEFICHE_RELEASE_MONTH "décembre 2026" CACHE STRING
  "The month and year of the release, in the author line")
set(TASSEFICHE_WEB_PAGE "https://tassefiche.example/" CACHE STRING
  "The maker's web page: the address shown and opened by the about window")
set(TASSEFICHE_SECOND_WEB_PAGE "https://www.tassefiche.example/" CACHE STRING
  "A second web page of the maker, in the details box")
set(TASSEFICHE_DONATION_PAGE "https://tassefiche.example/don" CACHE STRING
  "The web page that receives donations, opened by the donation picture")
set(TASSEFICHE_MAIL "contact@tassefiche.example" CACHE STRING
  "The e-mail address shown and opened by the about window")
set(TASSEFICHE_CONTACT_MAIL "auteur@tassefiche.example" CACHE STRING
  "The contact e-mail address of the details box")

# Each setting becomes a wide string literal; quotes and backslashes are escaped, so that any text
# compiles as it was given.
foreach(setting MAKER_NAME AUTHOR RELEASE_MONTH WEB_PAGE SECOND_WEB_PAGE DONATION_PAGE MAIL
                CONTACT_MAIL)
  string(REPLACE "\\" "\\\\" escaped "${TASSEFICHE_${setting}}")
  string(REPLACE "\"" "\\\"" escaped "${escaped}")
  set(TASSEFICHE_${setting}_LITERAL "L\"${escaped}\"")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/maker.h.in
  ${CMAKE_CURRENT_BINARY_DIR}/generated/about_window/maker.h @ONLY)
