# Run by CPack once the files are staged: the Debian changelog belongs to the package only,
# not to a plain cmake --install. file(COPY), unlike file(INSTALL), ignores the DESTDIR that
# CPack staged under.
file(COPY ${CPACK_QRV_DEBIAN_CHANGELOG}
     DESTINATION ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_QRV_DOCDIR})
