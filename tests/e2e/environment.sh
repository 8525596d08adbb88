# The program meets the driver and the settings the pictures were measured with, not those of the
# desktop the suite runs on (tests/driver_pin.txt). DOT3BUMP_TEST_DRIVER picks the driver:
# llvmpipe unless it names softpipe, which has no multisample; zink's software path presents
# nothing to an X display, so it is not one of them.

# pin_environment: applies the pin; DRIVER_LACKS names the capability lines the driver's overlay
# shows red (see picture.py). Fails for a driver the program is not tested on.
pin_environment() {
    local verb what variable
    while read -r verb what; do
        case $verb in
        unset) for variable in $(compgen -v | grep "^$what"); do unset "$variable"; done ;;
        set) export "${what?}" ;;
        esac
    done <"$E2E_DIR/../driver_pin.txt"
    case ${DOT3BUMP_TEST_DRIVER:=llvmpipe} in
    llvmpipe) DRIVER_LACKS=- ;;
    softpipe) DRIVER_LACKS=multisample ;;
    *) return 1 ;;
    esac
    echo "driver: $DOT3BUMP_TEST_DRIVER"
    export GALLIUM_DRIVER=$DOT3BUMP_TEST_DRIVER
}
