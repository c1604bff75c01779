# Debian's Assimp always asks for the Draco mesh compression library, which
# only its glTF importer uses. That importer is left out of the libraries
# packaging/build-deps.sh builds, so this stands in for the package and
# provides nothing.
set(draco_FOUND TRUE)
set(DRACO_LIBRARIES "")
