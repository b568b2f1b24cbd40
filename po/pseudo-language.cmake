# The pseudo-language's catalogue, made from the template:
#   cmake -DTEMPLATE=kelvo.pot -DFILTER=pseudo-language.sed -DCATALOGUE=kelvo.mo
#         -DWORK=<folder> -P pseudo-language.cmake
# msgen copies each English text as its own translation, msgfilter puts each
# through the sed script, msgfmt checks that every placeholder is still
# there and compiles it.
set(_english ${WORK}/qps-english.po)
set(_pseudo ${WORK}/qps.po)
execute_process(COMMAND msgen --lang=qps ${TEMPLATE} OUTPUT_VARIABLE _po COMMAND_ERROR_IS_FATAL ANY)
# The template's header is a fill-in form: a header entry that counts, and
# the plural rule of English.
string(REPLACE "#, fuzzy\nmsgid \"\"" "msgid \"\"" _po "${_po}")
string(REPLACE "nplurals=INTEGER; plural=EXPRESSION;" "nplurals=2; plural=(n != 1);" _po "${_po}")
file(WRITE ${_english} "${_po}")
execute_process(COMMAND msgfilter --keep-header -i ${_english} -o ${_pseudo} sed -f ${FILTER}
  COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(_folder ${CATALOGUE} DIRECTORY)
file(MAKE_DIRECTORY ${_folder})
execute_process(COMMAND msgfmt --check-format --check-domain -o ${CATALOGUE} ${_pseudo}
  COMMAND_ERROR_IS_FATAL ANY)
