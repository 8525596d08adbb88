# The program's display settings: read from a configuration folder of the test's own, or under
# Wine from the registry of the test run's prefix, cleared with each fresh server (wine_env.sh).

private_settings() {
    export XDG_CONFIG_HOME="$WORK/config"
    export XDG_CONFIG_DIRS="$WORK/no-system-config"
    mkdir -p "$XDG_CONFIG_HOME"
}

# set_settings NAME=VALUE...: replaces the program's registry key with these values, each a
# REG_DWORD (a decimal number), a REG_SZ when written NAME=sz:TEXT or a REG_BINARY when written
# NAME=hex:BYTES (hexadecimal digits, two per byte). Under Wine in the prefix's registry; on
# Linux as a .reg file, as regedit exports it.
set_settings() {
    local setting name value
    if under_wine; then
        wine_clear_display_settings
        for setting in "$@"; do
            name=${setting%%=*} value=${setting#*=}
            case $value in
                sz:*) wine_set_display_setting "$name" "${value#sz:}" REG_SZ ;;
                hex:*) wine_set_display_setting "$name" "${value#hex:}" REG_BINARY ;;
                *) wine_set_display_setting "$name" "$value" ;;
            esac
        done
        return
    fi
    mkdir -p "$XDG_CONFIG_HOME/Quorvane"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\r\n'
        for setting in "$@"; do
            name=${setting%%=*} value=${setting#*=}
            case $value in
                sz:*) printf '"%s"="%s"\r\n' "$name" "${value#sz:}" ;;
                hex:*) printf '"%s"=hex:%s\r\n' "$name" "$(sed 's/../&,/g; s/,$//' <<<"${value#hex:}")" ;;
                *) printf '"%s"=dword:%08x\r\n' "$name" "$value" ;;
            esac
        done
    } > "$XDG_CONFIG_HOME/Quorvane/Telmarix - practice.reg"
}
