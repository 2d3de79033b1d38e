# Sourced with a Wine prefix: lists what the sample product's installation
# left there (files, shortcuts, installation record), as paths inside it.
prefix=$1
echo "Installed in the Wine prefix $prefix (removed when the demo ends):"
(cd "$prefix/drive_c" && find "Programme/Beispiel Textwerk" windows/textwerk.ini users/*/Desktop \
  "users/"*"/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Beispiel Textwerk" -type f 2>/dev/null |
  sed 's|^|  C:/|')
record="$prefix/drive_c/Programme/Beispiel Textwerk/Setup/Setup.ini"
if [ -f "$record" ]; then
  echo "Installation record C:/Programme/Beispiel Textwerk/Setup/Setup.ini:"
  iconv -f WINDOWS-1252 -t UTF-8 "$record" | tr -d '\r' | sed 's/^/  /'
fi
