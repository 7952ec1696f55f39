# Sourced by the checked runs (make sanitize, make fuzz, .ci/run): makes
# every sanitizer finding fail the run, and points the sanitizers at the
# suppression files, which name findings inside Qt and the system
# libraries only.
_quellix_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=${_quellix_root}/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=${_quellix_root}/sanitize/ubsan.supp"
unset _quellix_root
