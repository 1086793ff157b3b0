# Sourced before Wine starts. Wine reads Linux file names in the locale's encoding: without a
# UTF-8 locale a name outside ASCII ("Łukasz", "日本語") reaches the programs damaged.
# C.UTF-8 is always there; a UTF-8 locale already chosen (the Japanese tests') is kept.
case ${LC_ALL:-} in
  *.UTF-8 | *.utf8) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
