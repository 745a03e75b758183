# Voice files: every board text spoken by espeak-ng into the program folder as <text>.wav.
# The manifest the script rewrites on each run is the stamp of this step, so it runs again only
# when the script or the reading table changes, or when the program folder lost the manifest.
set(TALK_VOICE_SCRIPT ${CMAKE_SOURCE_DIR}/tools/make_voices.sh)
set(TALK_VOICE_TABLE ${CMAKE_SOURCE_DIR}/voices/readings.tsv)
set(talk_voice_manifest ${TALK_PROGRAM_DIR}/.generated-voices)

add_custom_command(OUTPUT ${talk_voice_manifest}
    COMMAND bash ${TALK_VOICE_SCRIPT} ${TALK_VOICE_TABLE} ${TALK_PROGRAM_DIR}
    DEPENDS ${TALK_VOICE_SCRIPT} ${TALK_VOICE_TABLE}
    COMMENT "Generating voice files"
    VERBATIM)
add_custom_target(talk_voices ALL DEPENDS ${talk_voice_manifest})
# Building the program (as ./run.sh does) leaves it a folder that speaks.
add_dependencies(talk talk_voices)

# The voice-set test runs the script on folders of its own; its target is created later, in tests/.
function(talk_voice_test_setup)
    if(TARGET tst_voiceset)
        target_compile_definitions(tst_voiceset PRIVATE
            TALK_VOICE_SCRIPT="${TALK_VOICE_SCRIPT}" TALK_VOICE_TABLE="${TALK_VOICE_TABLE}")
    endif()
endfunction()
cmake_language(DEFER CALL talk_voice_test_setup)
