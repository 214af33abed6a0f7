# Copies the compressed clips of FROM (not the WAVs) to TO.
file(GLOB clips ${FROM}/*.opus ${FROM}/*.mp3)
file(MAKE_DIRECTORY ${TO})
file(COPY ${clips} DESTINATION ${TO})
