# Lists the rendered clips of VOICE_DIR in a Qt resource file QRC, as
# voice/<key>.wav, since which clips there are is only known after rendering.
#   cmake -DVOICE_DIR=... -DQRC=... -P voice_qrc.cmake
file(GLOB clips RELATIVE ${VOICE_DIR} ${VOICE_DIR}/*.wav)
list(SORT clips)
set(entries "")
foreach(clip ${clips})
  string(APPEND entries "    <file alias=\"voice/${clip}\">${VOICE_DIR}/${clip}</file>\n")
endforeach()
file(WRITE ${QRC} "<RCC>\n  <qresource prefix=\"/audio\">\n${entries}  </qresource>\n</RCC>\n")
