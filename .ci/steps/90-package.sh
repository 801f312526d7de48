#!/bin/sh
# Desktop integration and the Debian package: validate the desktop entry and
# the AppStream file, build the package, check its contents and
# dependencies, install it and start the program the way the desktop entry
# does.
set -eu
app=pl.kyt.BlokadaKyt

sed 's|@KYT_PICTURES_DIR@|/usr/share/kyt|' packaging/$app.desktop.in > build/$app.desktop
desktop-file-validate build/$app.desktop
appstreamcli validate --no-net packaging/$app.metainfo.xml

rm -f build/kyt_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/kyt_*.deb)
dpkg-deb -c "$deb" > build/package-contents.txt
for f in ./usr/bin/kyt ./usr/bin/kyt-replay \
         ./usr/share/applications/$app.desktop ./usr/share/metainfo/$app.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/$app.png \
         ./usr/share/icons/hicolor/scalable/apps/$app.svg \
         "./usr/share/kyt/obwody.jpg" "./usr/share/kyt/liniowy.jpg" "./usr/share/kyt/pulpit.jpg" \
         "./usr/share/kyt/zpg.jpg" "./usr/share/kyt/blok - zwrot.jpg"; do
  grep -qF " $f" build/package-contents.txt || { echo "package lacks $f"; exit 1; }
done
# A build for the web browser too (KYT_WEB) packages its page.
if grep -q '^KYT_WEB:BOOL=ON' build/CMakeCache.txt; then
  grep -qF " ./usr/share/kyt/web/kyt.html" build/package-contents.txt || { echo "package lacks the web page"; exit 1; }
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6 libstdc++6 \
         qt6-qpa-plugins fonts-dejavu-core fonts-liberation2; do
  echo "$depends" | grep -q "$d" || { echo "package does not depend on $d"; exit 1; }
done

# Install it as a user would and start the desktop entry's command in its
# folder; the program must come up and stay up.
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
exec_cmd=$(sed -n 's/^Exec=//p' /usr/share/applications/$app.desktop)
path=$(sed -n 's/^Path=//p' /usr/share/applications/$app.desktop)
cd "$path"
xvfb-run -a sh -c "$exec_cmd & pid=\$!; sleep 4; kill -0 \$pid && kill \$pid"
echo "installed program started from its desktop entry"
