# A stand-in for the real voice and sounds, so that the game speaks and
# sounds before they are made: every voice line read by flite, and each sound
# a soft sine from sox. Same names, same resource paths, same function; the
# real audio's assets/audio/CMakeLists.txt replaces it.
#
#   tobble_add_audio(<target> VOICE_LINES <tsv> [VOICE_LINES_DEPENDS <target>])
function(tobble_add_audio target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "VOICE_LINES;VOICE_LINES_DEPENDS" "")
  find_program(FLITE flite REQUIRED)
  find_program(SOX sox REQUIRED)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/standin_audio)
  set(rcc_file ${dir}/audio.rcc)
  add_custom_command(OUTPUT ${rcc_file}
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/render_standin_audio.sh ${arg_VOICE_LINES} ${dir}
            $<TARGET_FILE:Qt6::rcc>
    DEPENDS ${arg_VOICE_LINES} ${arg_VOICE_LINES_DEPENDS} ${PROJECT_SOURCE_DIR}/cmake/render_standin_audio.sh
    COMMENT "Rendering the stand-in voice and sounds")
  # The resource data is linked in as it is (rcc's binary form, included by
  # the assembler) rather than as a generated C++ array many megabytes long.
  set(register ${dir}/audio_register.cpp)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${register}
    "#include <QResource>\n"
    "asm(\".section .rodata\\n.balign 16\\n.global tobble_audio_rcc\\ntobble_audio_rcc:\\n\"\n"
    "    \".incbin \\\"${rcc_file}\\\"\\n.byte 0\\n.previous\");\n"
    "extern \"C\" const unsigned char tobble_audio_rcc[];\n"
    "namespace { const bool registered = QResource::registerResource(tobble_audio_rcc); }\n")
  set_source_files_properties(${register} PROPERTIES OBJECT_DEPENDS ${rcc_file})
  target_sources(${target} PRIVATE ${register})
endfunction()
