# Install rules and CPack settings.
