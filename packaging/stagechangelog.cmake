# Run by CPack once the files are staged: the Debian changelog belongs to the package only,
# not to a plain cmake --install.
file(INSTALL ${CPACK_QRV_DEBIAN_CHANGELOG}
     DESTINATION ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/qrv)
