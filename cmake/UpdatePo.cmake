# Gathers the messages: the interface description's texts, titles and names
# for screen readers, then the texts the C++ code marks where it writes them
# (translate, translatePlural, untranslated). Writes po/buddycare.pot and
# merges it into every po/<language>.po; a message new to a language stays
# untranslated there (and reads in English) until a translator fills it in.
foreach(tool XGETTEXT MSGCAT MSGMERGE)
  if(NOT ${tool})
    message(FATAL_ERROR "update-po needs the gettext tools (scripts/setup.sh installs them)")
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})

# One control per line, so the quoted strings are found line by line; their
# JSON escapes (\" \\ \n) are the catalogues' own.
file(READ ${SOURCE_DIR}/resources/storyboard.json board)
string(REGEX MATCHALL "\"(text|title|label|say)\": \"([^\"\\\\]|\\\\.)*\"" found "${board}")
set(messages)
foreach(entry ${found})
  string(REGEX REPLACE "^\"[a-z]+\": \"(.*)\"$" "\\1" text "${entry}")
  # Numbers and signs ("+50", "1") read the same in every language.
  if(text MATCHES "[A-Za-z]")
    list(APPEND messages "${text}")
  endif()
endforeach()
list(REMOVE_DUPLICATES messages)
set(pot "msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: buddycare\\n\"\n\"MIME-Version: 1.0\\n\"\n")
string(APPEND pot "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n")
foreach(text ${messages})
  string(APPEND pot "\n#: resources/storyboard.json\nmsgid \"${text}\"\nmsgstr \"\"\n")
endforeach()
file(WRITE ${WORK_DIR}/storyboard.pot "${pot}")

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/state/*.cpp ${SOURCE_DIR}/platform/*.cpp
     ${SOURCE_DIR}/screens/*.cpp ${SOURCE_DIR}/web/glue/*.cpp)
list(SORT sources)
execute_process(COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --omit-header --sort-by-file --add-location=file
                        --keyword=translate --keyword=translatePlural:1,2 --keyword=untranslated
                        -o ${WORK_DIR}/code.pot ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
set(parts ${WORK_DIR}/storyboard.pot)
if(EXISTS ${WORK_DIR}/code.pot)
  list(APPEND parts ${WORK_DIR}/code.pot)
endif()
execute_process(COMMAND ${MSGCAT} --use-first -o ${SOURCE_DIR}/po/buddycare.pot ${parts} COMMAND_ERROR_IS_FATAL ANY)

file(STRINGS ${SOURCE_DIR}/po/LINGUAS languages REGEX "^[^#]")
foreach(lang ${languages})
  set(po ${SOURCE_DIR}/po/${lang}.po)
  if(NOT EXISTS ${po})
    execute_process(COMMAND msginit --no-translator --no-wrap -l ${lang}.UTF-8 -i ${SOURCE_DIR}/po/buddycare.pot -o ${po}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND ${MSGMERGE} --quiet --update --backup=none ${po} ${SOURCE_DIR}/po/buddycare.pot
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
