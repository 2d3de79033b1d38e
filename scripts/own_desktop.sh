# Sourced after scripts/sample_prefix.sh: Wine links the prefix's Desktop
# folder to the user's home folder, so the sample product's desktop file
# would land there. A folder of the prefix's own keeps everything the demo
# installs inside the throwaway prefix.
for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
  if [ -L "$desktop" ]; then
    rm "$desktop"
    mkdir "$desktop"
  fi
done
