#!/usr/bin/env bash
# A sound server for the tests, as a test database would be. Sourced by test.sh after
# tools/setup.sh:
#
#   talk_sound_server_start    # exports TALK_TEST_SINK, PULSE_SINK (and PULSE_SERVER when private)
#
# Where the desktop already runs a pulse server (PulseAudio or PipeWire's pulse server), a null
# sink of our own is loaded into it and removed again on exit, so nothing reaches the speakers
# and nothing is installed over the user's server. Elsewhere (CI, a headless machine) pulseaudio
# is installed when missing and a private server runs with its own runtime folder, stopped on exit.
# While the tests run, everything plays to the sink "$TALK_TEST_SINK"; its monitor source is
# "$TALK_TEST_SINK.monitor".

talk_sound_runtime=""
talk_sound_module=""
talk_sound_pid=""

talk_sound_server_stop() {
    if [ -n "$talk_sound_module" ]; then
        pactl unload-module "$talk_sound_module" >/dev/null 2>&1 || true
        talk_sound_module=""
    fi
    if [ -n "$talk_sound_pid" ]; then
        kill "$talk_sound_pid" 2>/dev/null || true
        wait "$talk_sound_pid" 2>/dev/null || true
        talk_sound_pid=""
    fi
    if [ -n "$talk_sound_runtime" ]; then
        rm -rf "$talk_sound_runtime"
        talk_sound_runtime=""
    fi
}

talk_sound_server_start() {
    # The client tools alone never replace a desktop's server.
    talk_install_packages pulseaudio-utils
    export TALK_TEST_SINK="talk_test_$$"
    # Probing must not start a server of its own.
    local conf
    conf=$(mktemp -d "${TMPDIR:-/tmp}/talk-sound.XXXXXX")
    talk_sound_runtime=$conf
    echo "autospawn = no" >"$conf/client.conf"
    export PULSE_CLIENTCONFIG=$conf/client.conf
    trap talk_sound_server_stop EXIT

    if pactl info >/dev/null 2>&1; then
        talk_sound_module=$(pactl load-module module-null-sink sink_name="$TALK_TEST_SINK" \
            sink_properties=device.description=Talk-tests)
        # Named outright, so the tests still find it when their runtime folder moves.
        PULSE_SERVER=$(LC_ALL=C pactl info | sed -n 's/^Server String: //p')
        export PULSE_SERVER
    else
        talk_install_packages pulseaudio
        export PULSE_SERVER="unix:$conf/native"
        # Root may run a per-user server too; it only warns.
        pulseaudio --daemonize=no --disallow-exit --exit-idle-time=-1 -n --log-target=stderr \
            --log-level=error --use-pid-file=no --system=no \
            --load="module-native-protocol-unix socket=$conf/native auth-anonymous=1" \
            --load="module-null-sink sink_name=$TALK_TEST_SINK" \
            --load="module-always-sink" 2>"$conf/server.log" &
        talk_sound_pid=$!
        local tries=0
        until pactl info >/dev/null 2>&1; do
            tries=$((tries + 1))
            if [ $tries -gt 100 ] || ! kill -0 "$talk_sound_pid" 2>/dev/null; then
                echo "The test sound server did not start:" >&2
                cat "$conf/server.log" >&2
                return 1
            fi
            sleep 0.1
        done
    fi
    export PULSE_SINK=$TALK_TEST_SINK
    echo "Sound for the tests goes to the null sink $TALK_TEST_SINK"
}
