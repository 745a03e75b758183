#!/usr/bin/env bash
# A sound server for the tests, as a test database would be. Sourced by test.sh after
# tools/setup.sh:
#
#   talk_sound_server_start pulseaudio|pipewire  # exports TALK_TEST_SINK, PULSE_SINK, PULSE_SERVER
#   talk_sound_server_stop
#
# Desktops run either PulseAudio or PipeWire with its pulse server, and the tests run against
# both. Where the desktop already runs the kind asked for, a null sink of our own is loaded into
# it and removed again on stop, so nothing reaches the speakers and nothing is installed over
# the user's server. Otherwise the server runs privately: its own runtime folder, for PipeWire
# its own D-Bus session and a session manager that leaves the sound cards alone, a null sink as
# its default; every process started here is stopped by its PID on stop.
# While the tests run, everything plays to the sink "$TALK_TEST_SINK"; its monitor source is
# "$TALK_TEST_SINK.monitor". With no kind given, the desktop's own server, or else PulseAudio.

talk_sound_runtime=""
talk_sound_module=""
talk_sound_pids=()
talk_sound_user_server=${PULSE_SERVER-}

talk_sound_server_stop() {
    if [ -n "$talk_sound_module" ]; then
        pactl unload-module "$talk_sound_module" >/dev/null 2>&1 || true
        talk_sound_module=""
    fi
    local i
    # Clients before the servers they use.
    for ((i = ${#talk_sound_pids[@]} - 1; i >= 0; i--)); do
        kill "${talk_sound_pids[i]}" 2>/dev/null || true
        wait "${talk_sound_pids[i]}" 2>/dev/null || true
    done
    talk_sound_pids=()
    if [ -n "$talk_sound_runtime" ]; then
        rm -rf "$talk_sound_runtime"
        talk_sound_runtime=""
    fi
    unset TALK_TEST_SINK PULSE_SINK
    # The user's own server setting, for the next start's probe.
    if [ -n "$talk_sound_user_server" ]; then export PULSE_SERVER=$talk_sound_user_server; else unset PULSE_SERVER; fi
}

# Runs a server process in the background, its output in the runtime folder's log.
talk_sound_spawn() {
    "$@" >>"$talk_sound_runtime/server.log" 2>&1 &
    talk_sound_pids+=($!)
}

# Waits until the pulse server answers; false (with its log) when it does not start.
talk_sound_await() {
    local tries=0
    until pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "${talk_sound_pids[-1]}" 2>/dev/null; then
            echo "The test sound server did not start:" >&2
            cat "$talk_sound_runtime/server.log" >&2
            return 1
        fi
        sleep 0.1
    done
}

talk_sound_private_pulseaudio() {
    talk_install_packages pulseaudio
    # Root may run a per-user server too; it only warns.
    talk_sound_spawn pulseaudio --daemonize=no --disallow-exit --exit-idle-time=-1 -n \
        --log-target=stderr --log-level=error --use-pid-file=no --system=no \
        --load="module-native-protocol-unix socket=$talk_sound_runtime/native auth-anonymous=1" \
        --load="module-null-sink sink_name=$TALK_TEST_SINK" --load="module-always-sink"
    export PULSE_SERVER="unix:$talk_sound_runtime/native"
    talk_sound_await
}

talk_sound_private_pipewire() {
    talk_install_packages pipewire pipewire-pulse wireplumber dbus
    local run=$talk_sound_runtime/run config=$talk_sound_runtime/config
    mkdir -m 700 "$run"
    # The session manager links streams as on a desktop but opens no device of this machine.
    mkdir -p "$config/wireplumber/main.lua.d" "$config/wireplumber/bluetooth.lua.d"
    printf '%s\n' "alsa_monitor.enabled = false" "v4l2_monitor.enabled = false" \
        "libcamera_monitor.enabled = false" >"$config/wireplumber/main.lua.d/99-talk-tests.lua"
    echo "bluez_monitor.enabled = false" >"$config/wireplumber/bluetooth.lua.d/99-talk-tests.lua"
    talk_sound_spawn dbus-daemon --session --nofork --address="unix:path=$run/bus"
    local bus="unix:path=$run/bus" tries=0
    until [ -S "$run/bus" ] || [ $tries -gt 100 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    local env=(env XDG_RUNTIME_DIR="$run" XDG_CONFIG_HOME="$config"
        DBUS_SESSION_BUS_ADDRESS="$bus" PIPEWIRE_RUNTIME_DIR="$run")
    talk_sound_spawn "${env[@]}" pipewire
    until [ -S "$run/pipewire-0" ] || [ $tries -gt 200 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    talk_sound_spawn "${env[@]}" wireplumber
    talk_sound_spawn "${env[@]}" pipewire-pulse
    export PULSE_SERVER="unix:$run/pulse/native"
    talk_sound_await || return 1
    talk_sound_module=$(pactl load-module module-null-sink sink_name="$TALK_TEST_SINK") || return 1
    # The pulse server answers before the session manager has published where the default
    # sink is kept; until then setting it fails with "Not supported" (a busy machine: seconds).
    tries=0
    until pactl set-default-sink "$TALK_TEST_SINK" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 200 ]; then
            echo "The test sound server did not take the null sink as its default:" >&2
            pactl set-default-sink "$TALK_TEST_SINK" || true
            cat "$talk_sound_runtime/server.log" >&2
            return 1
        fi
        sleep 0.05
    done
}

talk_sound_server_start() {
    local kind=${1:-}
    talk_sound_server_stop
    # The client tools alone never replace a desktop's server.
    talk_install_packages pulseaudio-utils
    export TALK_TEST_SINK="talk_test_$$"
    talk_sound_runtime=$(mktemp -d "${TMPDIR:-/tmp}/talk-sound.XXXXXX")
    # Probing must not start a server of its own.
    echo "autospawn = no" >"$talk_sound_runtime/client.conf"
    export PULSE_CLIENTCONFIG=$talk_sound_runtime/client.conf
    trap talk_sound_server_stop EXIT

    # The desktop's server is looked for once, at the first start: test.sh moves the runtime
    # folder afterwards.
    if [ -z "${talk_sound_desktop+set}" ]; then
        talk_sound_desktop="" talk_sound_desktop_server=""
        if pactl info >/dev/null 2>&1; then
            talk_sound_desktop=pulseaudio
            LC_ALL=C pactl info | grep -q "^Server Name: .*PipeWire" && talk_sound_desktop=pipewire
            # Named outright, so the tests still find it when their runtime folder moves.
            talk_sound_desktop_server=$(LC_ALL=C pactl info | sed -n 's/^Server String: //p')
        fi
    fi
    local desktop=$talk_sound_desktop
    [ -z "$kind" ] && kind=${desktop:-pulseaudio}
    if [ "$kind" = "$desktop" ]; then
        export PULSE_SERVER=$talk_sound_desktop_server
        talk_sound_module=$(pactl load-module module-null-sink sink_name="$TALK_TEST_SINK" \
            sink_properties=device.description=Talk-tests)
    elif [ "$kind" = pipewire ]; then
        talk_sound_private_pipewire || return 1
    else
        talk_sound_private_pulseaudio || return 1
    fi
    export PULSE_SINK=$TALK_TEST_SINK
    echo "Sound for the tests goes to the null sink $TALK_TEST_SINK ($kind$([ "$kind" = "$desktop" ] && echo ", the desktop's"))"
}
